// Text of the property blocks: materials, frame sections, wall/slab/deck
// properties, link properties and pier/spandrel names.
#include <string_view>

#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kText.h"
#include "etabs_writer/WriteReport.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

namespace bm {
namespace e2k {

void AppendMaterial(std::string& out, CBMMaterial& m) {
  const CString& name = m.name();
  Put(out, " %s %q M %f  W %f  TYPE %q E %e  U %f  A %e\n", kMaterial, name, m.get_M(), m.get_W(),
      m.get_Type(), m.get_E(), m.get_U(), m.get_A());
  // The spacing differs between the variants and is part of the format.
  const CString& design = m.get_DesignType();
  if (design == kSteel) {
    Put(out, " %s %q DESIGNTYPE %q  FY %f  FU %f  PRICE %f\n", kMaterial, name, design, m.get_FY(),
        m.get_FU(), m.get_Price());
  } else if (design == kOther) {
    Put(out, " %s  %q DESIGNTYPE %q\n", kMaterial, name, kOther);
  } else if (design == kConcrete) {
    Put(out, " %s  %q  DESIGNTYPE %q  FY %f FC %f  FYS %f\n", kMaterial, name, kConcrete, m.get_FY(),
        m.get_FC(), m.get_FYS());
  }
}

namespace {

// The material name of a section: its material object's name, or, when the
// section has none, the name it stored.
template <typename Section>
const CString& SectionMaterialName(Section& section, WriteReport* report) {
  if (CBMMaterial* material = section.get_pMaterial()) return material->name();
  // Decision: a section without a material object names its stored
  // material name, so that the file stays readable and the gap is counted.
  if (report) ++report->sectionsWithoutMaterial;
  return section.get_MaterialName();
}

struct ShapeText {
  const char* word;             // the stored shape word
  std::string_view display;     // the word written after SHAPE
  const char* const* dimWords;  // the dimension words, in parameter order
  int dims;                     // how many dimensions follow
};

constexpr ShapeText kShapes[] = {
    {kShapeRectangular, "Rectangular", kFlangedDimWords, 2},
    {kShapeCircle, "Circle", kFlangedDimWords, 1},
    {kShapeGeneral, "General", kGeneralDimWords, 14},
    {kShapeTee, "Tee", kFlangedDimWords, 4},
    {kShapeAngle, "Angle", kFlangedDimWords, 4},
    {kShapeChannel, "Channel", kFlangedDimWords, 4},
    {kShapePipe, "Pipe", kPipeDimWords, 2},
    {kShapeBoxTube, "Box/Tube", kFlangedDimWords, 4},
    {kShapeIWideFlange, "I/Wide Flange", kFlangedDimWords, 4},
};

}  // namespace

void AppendFrameSection(std::string& out, CBMFrameSection& s, WriteReport* report) {
  const CString& shape = s.get_Shape();
  if (shape == kShapeAutoSelect) {
    Put(out, "%s  %q   SHAPE \"Auto Select List\"\n", kFrameSection, s.name());
    return;
  }
  // Any other word than the table's is written as stored, without dimensions.
  ShapeText text = {nullptr, shape.view(), nullptr, 0};
  for (const ShapeText& t : kShapes) {
    if (shape == t.word) {
      text = t;
      break;
    }
  }
  Put(out, "%s  %q  MATERIAL %q  SHAPE \"%s\" ", kFrameSection, s.name(), SectionMaterialName(s, report),
      text.display);
  for (int i = 0; i < text.dims; ++i) {
    Put(out, i > 0 ? "  %s %10.6f" : "%s %10.6f", text.dimWords[i], s.get_ParamItems(i));
  }
  out += '\n';
}

void AppendShellSection(std::string& out, CBMWallSlabDeckSection& s, WriteReport* report) {
  const CString& type = s.get_PropType();
  const CString& name = s.name();
  if (type == kPropWall || type == kPropSlab) {
    Put(out, "  %s  %q  MATERIAL %q  PROPTYPE %q  TYPE %q  PLATETYPE %q  TM %f  TB %f\n", kShellProp, name,
        SectionMaterialName(s, report), type, s.get_ShellType(), s.get_PlateType(), s.get_TM(), s.get_TB());
  } else if (type == kPropDeck) {
    Put(out, " %s  %q  PROPTYPE %q  TYPE %q\n", kShellProp, name, kPropDeck, s.get_ShellType());
    Put(out, " %s  %q  DECKTYPE %q  CONCMATERIAL %q  SLABDEPTH %f\n", kShellProp, name, s.get_DeckType(),
        SectionMaterialName(s, report), s.get_SlabDepth());
    Put(out, " %s  %q  RIBDEPTH %f  RIBWIDTH %f  RIBSPACING %f  WEIGHT %f \n", kShellProp, name,
        s.get_RibDepth(), s.get_RibWidth(), s.get_RibSpacing(), s.get_Weight());
    Put(out, " %s  %q  STUDDIA %f STUDHEIGHT %f  STUDSTRENGTH %f\n", kShellProp, name, s.get_StuDia(),
        s.get_StudHeight(), s.get_StudStrength());
  }
  // Any other property type contributes nothing.
}

void AppendLink(std::string& out, CBMLink& link) {
  const CString& name = link.name();
  Put(out, " %s  %q  TYPE %q\n", kLinkProp, name, link.LinkType);
  const int flags[6] = {link.DofU1, link.DofU2, link.DofU3, link.DofR1, link.DofR2, link.DofR3};
  for (int i = 0; i < 6; ++i) {
    if (flags[i]) Put(out, " %s  %q  DOF %q\n", kLinkProp, name, kLinkDofWords[i]);
  }
}

void AppendPierSpandrel(std::string& out, CBMPierSpandrel& label) {
  if (label.IsSpandrel()) {
    Put(out, "  %s   %q \n", kSpandrelName, label.name());
  } else {
    Put(out, "  %s  %q \n", kPierName, label.name());
  }
}

}  // namespace e2k
}  // namespace bm

// The entities' own text operations return what the appenders produce.

CString CBMMaterial::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendMaterial, *this); }

CString CBMFrameSection::GetETABSString() {
  return bm::e2k::TextOf(bm::e2k::AppendFrameSection, *this, nullptr);
}

CString CBMWallSlabDeckSection::GetETABSString() {
  return bm::e2k::TextOf(bm::e2k::AppendShellSection, *this, nullptr);
}

CString CBMLink::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendLink, *this); }

CString CBMPierSpandrel::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendPierSpandrel, *this); }
