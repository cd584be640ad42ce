"""bmtool view: the page is self-contained, survives hostile names, and in a
real (headless) browser shows the model's members, picks what is clicked,
hides storeys and draws something."""

import json
import os
import shutil
import struct
import subprocess
import tempfile
import zlib

import pytest

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
KINDS = ("beams", "columns", "braces", "walls", "slabs")
BACKGROUND = (245, 246, 248)


def bmtool(*args):
    tool = os.environ.get("BMTOOL")
    if not tool:
        pytest.skip("BMTOOL (the path of bmtool) is not set")
    done = subprocess.run([tool, "-q", *map(str, args)], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return done.stdout


def model_json(path, tmp):
    bmtool("export", path, "-o", tmp / "model.json")
    return json.loads((tmp / "model.json").read_text(encoding="utf-8"))


def members_of(storey):
    return sum(len(storey[kind]) for kind in KINDS)


@pytest.fixture(scope="module")
def demo(tmp_path_factory):
    tmp = tmp_path_factory.mktemp("view")
    bmtool("demo", tmp)
    bmtool("view", tmp / "demo.e2k", "-o", tmp / "demo.html")
    return tmp, model_json(tmp / "demo.e2k", tmp)


@pytest.fixture(scope="module")
def browser():
    if not os.path.exists(CHROMIUM) or not os.path.exists(CHROMEDRIVER):
        pytest.skip("chromium or chromedriver is not installed (Debian: chromium chromium-driver)")
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        pytest.skip("selenium is not installed (Debian: python3-selenium)")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    profile = tempfile.mkdtemp(prefix="bm-view-")
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--use-gl=swiftshader", "--enable-unsafe-swiftshader", "--user-data-dir=" + profile,
                "--window-size=1200,800"):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 1200, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    yield driver
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)


def open_page(driver, path):
    from selenium.webdriver.support.ui import WebDriverWait
    driver.get("file://" + os.path.abspath(path))
    WebDriverWait(driver, 60).until(
        lambda d: d.execute_script("return !!(window.viewer && window.viewer.stats.firstFrameMs)"))
    return driver.execute_script("return window.viewer.stats")


def png_pixels(data):
    """(width, height, rows of RGB tuples) of an 8-bit RGB or RGBA PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * step
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 0xFF
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, step)])
        prev = line
    return width, height, rows


def test_page_is_self_contained_and_names_cannot_break_it(demo, browser, tmp_path):
    tmp, _ = demo
    page = (tmp / "demo.html").read_text(encoding="utf-8")
    for reference in ('src="http', "src='http", 'href="http', "@import", "url(http", "fetch(", "XMLHttpRequest"):
        assert reference not in page, reference
    assert page.count("<script") == 2 and page.count("</script>") == 2
    tool = os.environ["BMTOOL"]
    over = subprocess.run([tool, "-q", "view", tmp / "demo.e2k", "-o", tmp / "." / "demo.e2k"], capture_output=True)
    assert over.returncode == 2 and b"will not write over its input" in over.stderr

    # Names that would end the data's script element, open a comment in it,
    # or start markup, in a storey and a member.
    text = (tmp / "demo.e2k").read_text(encoding="latin-1")
    hostile_storey, hostile_beam = "</SCRIPT><!--<SCRIPT>&AMP;", "<IMG SRC=X ONERROR=ALERT(1)>"
    text = text.replace('"STORY5"', '"%s"' % hostile_storey).replace('"B1"', '"%s"' % hostile_beam)
    (tmp_path / "hostile.e2k").write_text(text, encoding="latin-1")
    bmtool("view", tmp_path / "hostile.e2k", "-o", tmp_path / "hostile.html")
    expected = model_json(tmp_path / "hostile.e2k", tmp_path)
    html = (tmp_path / "hostile.html").read_text(encoding="utf-8")
    assert "</SCRIPT>" not in html and "<IMG" not in html

    stats = open_page(browser, tmp_path / "hostile.html")
    assert stats["members"] == sum(members_of(s) for s in expected["storeys"])
    labels = browser.execute_script(
        "return [...document.querySelectorAll('#storeys label')].map(l => l.firstChild.textContent.trim())")
    assert hostile_storey in labels
    assert browser.execute_script("return document.querySelectorAll('img').length") == 0
    position = browser.execute_script("return viewer.screenPositionOf(arguments[0], arguments[1])",
                                      hostile_beam, hostile_storey)
    assert position is not None


def test_demo_in_a_browser(demo, browser, tmp_path):
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    tmp, model = demo
    storeys = model["storeys"]
    stats = open_page(browser, tmp / "demo.html")
    total = sum(members_of(s) for s in storeys)
    assert stats["members"] == total == stats["drawnMembers"]
    assert browser.find_element(By.ID, "member-count").text == str(total)
    legend = browser.find_element(By.ID, "legend").text
    for kind in KINDS:
        assert "%s %d" % (kind.capitalize(), sum(len(s[kind]) for s in storeys)) in legend

    # A real click on members of each kind shows their details.
    top = storeys[-1]
    sections = {s["name"]: s for s in model["frame_sections"] + model["shell_sections"]}
    loaded_beam = next(b for b in storeys[2]["beams"] if b["loads"])
    cases = [(top["columns"][0], top), (loaded_beam, storeys[2]), (top["slabs"][0], top),
             (storeys[1]["braces"][0], storeys[1])]
    for member, storey in cases:
        at = browser.execute_script("return viewer.screenPositionOf(arguments[0], arguments[1])",
                                    member["name"], storey["name"])
        assert at is not None, member["name"]
        actions = ActionChains(browser)
        actions.w3c_actions.pointer_action.move_to_location(round(at["x"]), round(at["y"])).click()
        actions.perform()
        panel = browser.find_element(By.ID, "info").text
        assert browser.find_element(By.ID, "info-name").text == member["name"]
        assert storey["name"] in panel and member["section"] in panel and member["material"] in panel
        section = sections[member["section"]]
        dimension = "d" if "d" in section else "thickness"
        assert "%s %g" % (dimension, section[dimension]) in panel
        for load in member["loads"]:
            assert load["case"] + " " + load["type"] in panel

    # Hiding a storey draws its members no more; "only" keeps one storey.
    browser.find_element(By.ID, "storey-3").click()
    drawn = browser.execute_script("return viewer.stats.drawnMembers")
    assert drawn == total - members_of(storeys[3])
    browser.find_element(By.CSS_SELECTOR, "#storeys li:first-child .only").click()
    assert browser.execute_script("return viewer.stats.drawnMembers") == members_of(top)
    browser.find_element(By.ID, "show-all").click()
    assert browser.execute_script("return viewer.stats.drawnMembers") == total

    # Dragging turns the view, the wheel zooms, a double click fits it again.
    from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
    canvas = browser.find_element(By.ID, "view")
    fitted = browser.execute_script("return viewer.camera()")
    ActionChains(browser).move_to_element(canvas).click_and_hold().move_by_offset(120, 40).release().perform()
    turned = browser.execute_script("return viewer.camera()")
    assert turned["yaw"] != fitted["yaw"] and turned["pitch"] != fitted["pitch"]
    ActionChains(browser).scroll_from_origin(ScrollOrigin.from_element(canvas), 0, -300).perform()
    assert browser.execute_script("return viewer.camera().dist") < turned["dist"]
    ActionChains(browser).move_to_element(canvas).double_click().perform()
    assert browser.execute_script("return viewer.camera()") == fitted

    # The drawing is not blank: many pixels off the background, in many colours.
    width, height, rows = png_pixels(browser.get_screenshot_as_png())
    pixels = [p for row in rows[::4] for p in row[width // 4::4]]
    drawn_pixels = [p for p in pixels if max(abs(a - b) for a, b in zip(p, BACKGROUND)) > 8]
    assert len(drawn_pixels) > len(pixels) // 20
    assert len(set(drawn_pixels)) > 50
