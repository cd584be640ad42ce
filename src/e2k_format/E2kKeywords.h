// Words of the ETABS 8 text file that both the writer and the reader use
// (the one place that names them):
// keywords, the type and shape words that select a line's variant, and the
// block headings. All comparisons of these words are exact (case-sensitive).
#pragma once

namespace bm {
namespace e2k {

// Line keywords, as they start (after leading blanks) a line of the file.
inline constexpr const char kProgram[] = "PROGRAM";
inline constexpr const char kUnits[] = "UNITS";
inline constexpr const char kTitle1[] = "TITLE1";
inline constexpr const char kPreference[] = "PREFERENCE";
inline constexpr const char kStory[] = "STORY";
inline constexpr const char kDiaphragm[] = "DIAPHRAGM";
inline constexpr const char kMaterial[] = "MATERIAL";
inline constexpr const char kFrameSection[] = "FRAMESECTION";
inline constexpr const char kShellProp[] = "SHELLPROP";
inline constexpr const char kLinkProp[] = "LINKPROP";
inline constexpr const char kPierName[] = "PIERNAME";
inline constexpr const char kSpandrelName[] = "SPANDRELNAME";
inline constexpr const char kPoint[] = "POINT";
inline constexpr const char kLine[] = "LINE";
inline constexpr const char kArea[] = "AREA";
inline constexpr const char kPointAssign[] = "POINTASSIGN";
inline constexpr const char kLineAssign[] = "LINEASSIGN";
inline constexpr const char kAreaAssign[] = "AREAASSIGN";
inline constexpr const char kLoadCase[] = "LOADCASE";
inline constexpr const char kWind[] = "WIND";
inline constexpr const char kPointLoad[] = "POINTLOAD";
inline constexpr const char kLineLoad[] = "LINELOAD";
inline constexpr const char kAreaLoad[] = "AREALOAD";
inline constexpr const char kCombo[] = "COMBO";
inline constexpr const char kActiveDof[] = "ACTIVEDOF";
inline constexpr const char kDynamics[] = "DYNAMICS";
inline constexpr const char kMassOptions[] = "MASSOPTIONS";

// Item words inside lines.
inline constexpr const char kElev[] = "ELEV";
inline constexpr const char kHeight[] = "HEIGHT";
inline constexpr const char kDesignType[] = "DESIGNTYPE";
inline constexpr const char kShape[] = "SHAPE";
inline constexpr const char kPropType[] = "PROPTYPE";
inline constexpr const char kRestraint[] = "RESTRAINT";
inline constexpr const char kDiaph[] = "DIAPH";
inline constexpr const char kSection[] = "SECTION";
inline constexpr const char kRelease[] = "RELEASE";
inline constexpr const char kPier[] = "PIER";
inline constexpr const char kUserLoad[] = "USERLOAD";

// The storey written with its elevation instead of its height.
inline constexpr const char kBaseLevel[] = "BASE";
// The diaphragm name written without quotes.
inline constexpr const char kDisconnected[] = "DISCONNECTED";

// Material design types.
inline constexpr const char kSteel[] = "STEEL";
inline constexpr const char kConcrete[] = "CONCRETE";
inline constexpr const char kOther[] = "OTHER";

// Frame-section shape words as the model stores them.
inline constexpr const char kShapeAutoSelect[] = "AutoSelectList";
inline constexpr const char kShapeRectangular[] = "RECTANGULAR";
inline constexpr const char kShapeCircle[] = "CIRCLE";
inline constexpr const char kShapeGeneral[] = "GENERAL";
inline constexpr const char kShapeTee[] = "TEE";
inline constexpr const char kShapeAngle[] = "ANGLE";
inline constexpr const char kShapeChannel[] = "CHANNEL";
inline constexpr const char kShapePipe[] = "PIPE";
inline constexpr const char kShapeBoxTube[] = "BOX/TUBE";
inline constexpr const char kShapeIWideFlange[] = "I/WIDE FLANGE";

// Wall/slab/deck property types.
inline constexpr const char kPropWall[] = "WALL";
inline constexpr const char kPropSlab[] = "SLAB";
inline constexpr const char kPropDeck[] = "DECK";

// Line member kinds.
inline constexpr const char kBeam[] = "BEAM";
inline constexpr const char kColumn[] = "COLUMN";
inline constexpr const char kBrace[] = "BRACE";

// Member load types.
inline constexpr const char kUniform[] = "UNIFF";
inline constexpr const char kTrapezoidal[] = "TRAPF";
inline constexpr const char kPointForce[] = "POINTF";

// Words of the six joint degrees of freedom, in flag order.
inline constexpr const char* const kJointDofWords[6] = {"UX", "UY", "UZ", "RX", "RY", "RZ"};
// Words of the twelve line-release flags, in flag order (end I, then end J).
inline constexpr const char* const kReleaseWords[12] = {"PI", "V2I", "V3I", "TI", "M2I", "M3I",
                                                        "PJ", "V2J", "V3J", "TJ", "M2J", "M3J"};
// Words of the six link degrees of freedom, in flag order.
inline constexpr const char* const kLinkDofWords[6] = {"U1", "U2", "U3", "R1", "R2", "R3"};

// Block headings, each a whole line without its line end.
inline constexpr const char kHeadingProgram[] = "$PROGRAM INFORMATION";
inline constexpr const char kHeadingControls[] = "$CONTROLS ";
inline constexpr const char kHeadingStories[] = "$STORIES--IN SEQUENCE FROM TOP";
inline constexpr const char kHeadingDiaphragms[] = "$ DIAPHRAGM NAMES";
inline constexpr const char kHeadingMaterials[] = "$ MATERIAL PROPERTIES";
inline constexpr const char kHeadingFrameSections[] = "$ FRAME SECTIONS";
inline constexpr const char kHeadingShellProps[] = "$ WALL/SLAB/DECK PROPERTIES ";
inline constexpr const char kHeadingLinkProps[] = "$ LINK PROPERTIES";
inline constexpr const char kHeadingPierSpandrel[] = "$ PIER/SPANDREL NAMES";
inline constexpr const char kHeadingPoints[] = "$ POINT COORDINATES";
inline constexpr const char kHeadingLines[] = "$ LINE CONNECTIVITIES";
inline constexpr const char kHeadingAreas[] = "$ Area CONNECTIVITIES";
inline constexpr const char kHeadingPointAssigns[] = "$ Point Assignment";
inline constexpr const char kHeadingLineAssigns[] = "$ Line Assignment";
inline constexpr const char kHeadingAreaAssigns[] = "$ AREA ASSIGNS";
inline constexpr const char kHeadingLoadCases[] = "$ LOAD CASE ";
inline constexpr const char kHeadingPointLoads[] = "$ POINT OBJECT LOADS";
inline constexpr const char kHeadingLineLoads[] = "$ $ LINE OBJECT LOADS";
inline constexpr const char kHeadingAreaLoads[] = "$ AREA OBJECT LOADS";
inline constexpr const char kHeadingAnalysisOptions[] = "$ ANALYSIS OPTIONS";
inline constexpr const char kHeadingLog[] = "$ LOG";
// The last bytes of a written file (no line end follows).
inline constexpr const char kEndOfModel[] = "$End of Model file!";

}  // namespace e2k
}  // namespace bm
