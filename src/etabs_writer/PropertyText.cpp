// Text of the property blocks: materials, frame sections, wall/slab/deck
// properties, link properties and pier/spandrel names.
#include "etabs_writer/E2kText.h"

#include "e2k_format/E2kKeywords.h"
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
  Put(out, " MATERIAL ");
  PutQuoted(out, name);
  Put(out, " M ");
  PutF(out, m.get_M());
  Put(out, "  W ");
  PutF(out, m.get_W());
  Put(out, "  TYPE ");
  PutQuoted(out, m.get_Type());
  Put(out, " E ");
  PutE(out, m.get_E());
  Put(out, "  U ");
  PutF(out, m.get_U());
  Put(out, "  A ");
  PutE(out, m.get_A());
  out += '\n';

  // The spacing differs between the variants and is part of the format.
  const CString& design = m.get_DesignType();
  if (design == kSteel) {
    Put(out, " MATERIAL ");
    PutQuoted(out, name);
    Put(out, " DESIGNTYPE ");
    PutQuoted(out, design);
    Put(out, "  FY ");
    PutF(out, m.get_FY());
    Put(out, "  FU ");
    PutF(out, m.get_FU());
    Put(out, "  PRICE ");
    PutF(out, m.get_Price());
    out += '\n';
  } else if (design == kOther) {
    Put(out, " MATERIAL  ");
    PutQuoted(out, name);
    Put(out, " DESIGNTYPE \"OTHER\"\n");
  } else if (design == kConcrete) {
    Put(out, " MATERIAL  ");
    PutQuoted(out, name);
    Put(out, "  DESIGNTYPE \"CONCRETE\"  FY ");
    PutF(out, m.get_FY());
    Put(out, " FC ");
    PutF(out, m.get_FC());
    Put(out, "  FYS ");
    PutF(out, m.get_FYS());
    out += '\n';
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
  const char* word;     // the stored shape word
  const char* display;  // the word written after SHAPE
  int dims;             // which dimension part follows
};

enum Dims { kDimsRect, kDimsCircle, kDimsGeneral, kDimsTee, kDimsPipe };

constexpr ShapeText kShapes[] = {
    {kShapeRectangular, "Rectangular", kDimsRect}, {kShapeCircle, "Circle", kDimsCircle},
    {kShapeGeneral, "General", kDimsGeneral},      {kShapeTee, "Tee", kDimsTee},
    {kShapeAngle, "Angle", kDimsTee},              {kShapeChannel, "Channel", kDimsTee},
    {kShapePipe, "Pipe", kDimsPipe},               {kShapeBoxTube, "Box/Tube", kDimsTee},
    {kShapeIWideFlange, "I/Wide Flange", kDimsTee},
};

constexpr const char* kGeneralWords[14] = {"D ",   "B ",   "AREA ", "TORSION ", "I33 ", "I22 ", "AS2 ",
                                           "AS3 ", "S33 ", "S22 ", "Z33 ",  "Z22 ",     "R33 ", "R22 "};

}  // namespace

void AppendFrameSection(std::string& out, CBMFrameSection& s, WriteReport* report) {
  const CString& shape = s.get_Shape();
  Put(out, "FRAMESECTION  ");
  PutQuoted(out, s.name());
  if (shape == kShapeAutoSelect) {
    Put(out, "   SHAPE \"Auto Select List\"\n");
    return;
  }
  Put(out, "  MATERIAL ");
  PutQuoted(out, SectionMaterialName(s, report));
  Put(out, "  SHAPE \"");
  const ShapeText* known = nullptr;
  for (const ShapeText& t : kShapes) {
    if (shape == t.word) {
      known = &t;
      break;
    }
  }
  if (!known) {
    // Any other word is written as stored, without dimensions.
    Put(out, shape);
    Put(out, "\" \n");
    return;
  }
  out.append(known->display);
  Put(out, "\" ");
  switch (known->dims) {
    case kDimsRect:
      Put(out, "D ");
      PutF10(out, s.get_ParamItems(0));
      Put(out, "  B ");
      PutF10(out, s.get_ParamItems(1));
      break;
    case kDimsCircle:
      Put(out, "D ");
      PutF10(out, s.get_ParamItems(0));
      break;
    case kDimsGeneral:
      for (int i = 0; i < 14; ++i) {
        if (i > 0) Put(out, "  ");
        out.append(kGeneralWords[i]);
        PutF10(out, s.get_ParamItems(i));
      }
      break;
    case kDimsTee:
      Put(out, "D ");
      PutF10(out, s.get_ParamItems(0));
      Put(out, "  B ");
      PutF10(out, s.get_ParamItems(1));
      Put(out, "  TF ");
      PutF10(out, s.get_ParamItems(2));
      Put(out, "  TW ");
      PutF10(out, s.get_ParamItems(3));
      break;
    case kDimsPipe:
      Put(out, "D ");
      PutF10(out, s.get_ParamItems(0));
      Put(out, "  T ");
      PutF10(out, s.get_ParamItems(1));
      break;
  }
  out += '\n';
}

void AppendShellSection(std::string& out, CBMWallSlabDeckSection& s, WriteReport* report) {
  const CString& type = s.get_PropType();
  const CString& name = s.name();
  if (type == kPropWall || type == kPropSlab) {
    Put(out, "  SHELLPROP  ");
    PutQuoted(out, name);
    Put(out, "  MATERIAL ");
    PutQuoted(out, SectionMaterialName(s, report));
    Put(out, "  PROPTYPE ");
    PutQuoted(out, type);
    Put(out, "  TYPE ");
    PutQuoted(out, s.get_ShellType());
    Put(out, "  PLATETYPE ");
    PutQuoted(out, s.get_PlateType());
    Put(out, "  TM ");
    PutF(out, s.get_TM());
    Put(out, "  TB ");
    PutF(out, s.get_TB());
    out += '\n';
  } else if (type == kPropDeck) {
    Put(out, " SHELLPROP  ");
    PutQuoted(out, name);
    Put(out, "  PROPTYPE \"DECK\"  TYPE ");
    PutQuoted(out, s.get_ShellType());
    out += '\n';

    Put(out, " SHELLPROP  ");
    PutQuoted(out, name);
    Put(out, "  DECKTYPE ");
    PutQuoted(out, s.get_DeckType());
    Put(out, "  CONCMATERIAL ");
    PutQuoted(out, SectionMaterialName(s, report));
    Put(out, "  SLABDEPTH ");
    PutF(out, s.get_SlabDepth());
    out += '\n';

    Put(out, " SHELLPROP  ");
    PutQuoted(out, name);
    Put(out, "  RIBDEPTH ");
    PutF(out, s.get_RibDepth());
    Put(out, "  RIBWIDTH ");
    PutF(out, s.get_RibWidth());
    Put(out, "  RIBSPACING ");
    PutF(out, s.get_RibSpacing());
    Put(out, "  WEIGHT ");
    PutF(out, s.get_Weight());
    Put(out, " \n");

    Put(out, " SHELLPROP  ");
    PutQuoted(out, name);
    Put(out, "  STUDDIA ");
    PutF(out, s.get_StuDia());
    Put(out, " STUDHEIGHT ");
    PutF(out, s.get_StudHeight());
    Put(out, "  STUDSTRENGTH ");
    PutF(out, s.get_StudStrength());
    out += '\n';
  }
  // Any other property type contributes nothing.
}

void AppendLink(std::string& out, CBMLink& link) {
  const CString& name = link.name();
  Put(out, " LINKPROP  ");
  PutQuoted(out, name);
  Put(out, "  TYPE ");
  PutQuoted(out, link.LinkType);
  out += '\n';
  const int flags[6] = {link.DofU1, link.DofU2, link.DofU3, link.DofR1, link.DofR2, link.DofR3};
  for (int i = 0; i < 6; ++i) {
    if (!flags[i]) continue;
    Put(out, " LINKPROP  ");
    PutQuoted(out, name);
    Put(out, "  DOF \"");
    out.append(kLinkDofWords[i]);
    Put(out, "\"\n");
  }
}

void AppendPierSpandrel(std::string& out, CBMPierSpandrel& label) {
  if (label.IsSpandrel()) {
    Put(out, "  SPANDRELNAME   ");
  } else {
    Put(out, "  PIERNAME  ");
  }
  PutQuoted(out, label.name());
  Put(out, " \n");
}

}  // namespace e2k
}  // namespace bm

// The entities' own text operations return what the appenders produce.

CString CBMMaterial::GetETABSString() {
  std::string out;
  bm::e2k::AppendMaterial(out, *this);
  return CString(std::move(out));
}

CString CBMFrameSection::GetETABSString() {
  std::string out;
  bm::e2k::AppendFrameSection(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMWallSlabDeckSection::GetETABSString() {
  std::string out;
  bm::e2k::AppendShellSection(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMLink::GetETABSString() {
  std::string out;
  bm::e2k::AppendLink(out, *this);
  return CString(std::move(out));
}

CString CBMPierSpandrel::GetETABSString() {
  std::string out;
  bm::e2k::AppendPierSpandrel(out, *this);
  return CString(std::move(out));
}
