"""bmtool view: the page is self-contained, survives hostile names, and in a browser picks and hides."""

import os
import shutil
import subprocess

import pytest

import buildingmodel as bm

KINDS = ("beams", "columns", "braces", "walls", "slabs")


@pytest.fixture(scope="module")
def hostile(tmp_path_factory):
    """The demo's page with names that would end its script, open a comment or start markup; an overwrite."""
    if not os.environ.get("BMTOOL"):
        pytest.skip("BMTOOL (the path of bmtool) is not set")
    tmp, tool = tmp_path_factory.mktemp("view"), [os.environ["BMTOOL"], "-q"]
    run = lambda *a: subprocess.run(tool + list(a), capture_output=True, text=True)  # noqa: E731
    run("demo", tmp)
    text = (tmp / "demo.e2k").read_text(encoding="latin-1")
    text = text.replace('"STORY5"', '"</SCRIPT><!--<SCRIPT>&AMP;"').replace('"B1"', '"<IMG SRC=X ONERROR=ALERT(1)>"')
    (tmp / "hostile.e2k").write_text(text, encoding="latin-1")
    assert run("view", tmp / "hostile.e2k", "-o", tmp / "hostile.html").returncode == 0
    return tmp, run("view", tmp / "hostile.e2k", "-o", tmp / "." / "hostile.e2k")


def test_page_is_self_contained_and_names_cannot_break_it(hostile):
    page = (hostile[0] / "hostile.html").read_text(encoding="utf-8")
    assert not [reference for reference in ('src="http', "src='http", 'href="http', "@import", "url(http", "fetch(",
                                            "XMLHttpRequest", "</SCRIPT>", "<IMG") if reference in page]
    assert page.count("<script") == 2 and page.count("</script>") == 2
    assert hostile[1].returncode == 2 and "will not write over its input" in hostile[1].stderr


def test_page_in_a_browser(hostile):
    if not os.path.exists("/usr/bin/chromium") or not shutil.which("chromedriver"):
        pytest.skip("chromium or chromedriver is not installed (Debian: chromium chromium-driver)")
    webdriver = pytest.importorskip("selenium.webdriver")
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
    (tmp, _), options, model = hostile, webdriver.ChromeOptions(), bm.read(hostile[0] / "hostile.e2k")
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--use-gl=swiftshader",
                "--enable-unsafe-swiftshader", f"--user-data-dir={tmp / 'profile'}", "--window-size=1200,800"):
        options.add_argument(arg)
    with webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options) as browser:
        browser.get("file://" + str(tmp / "hostile.html"))
        WebDriverWait(browser, 60).until(lambda d: d.execute_script("return !!window.viewer?.stats.firstFrameMs"))
        script, text = browser.execute_script, lambda id: browser.find_element(By.ID, id).text
        counts = {kind: sum(len(getattr(s, kind)) for s in model.storeys) for kind in KINDS}
        assert script("return [viewer.stats.members, viewer.stats.drawnMembers]") == [sum(counts.values())] * 2
        assert all("%s %d" % (kind.capitalize(), n) in text("legend") for kind, n in counts.items())
        assert script("return document.querySelectorAll('img').length") == 0
        # A real click on the hostile beam shows its details; hiding a storey draws its members no more.
        beam, top = model.storeys[-1].beams[0], model.storeys[-1].name
        at = script("return viewer.screenPositionOf(arguments[0], arguments[1])", beam.name, top)
        click = webdriver.ActionChains(browser)
        click.w3c_actions.pointer_action.move_to_location(round(at["x"]), round(at["y"])).click()
        click.perform()
        assert text("info-name") == beam.name and all(t in text("info") for t in (top, beam.section, beam.material))
        browser.find_element(By.ID, "storey-3").click()
        hidden = sum(len(getattr(model.storeys[3], kind)) for kind in KINDS)
        assert script("return viewer.stats.drawnMembers") == sum(counts.values()) - hidden
