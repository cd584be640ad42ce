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
inline constexpr const char kStartComments[] = "STARTCOMMENTS";
inline constexpr const char kEndComments[] = "ENDCOMMENTS";
inline constexpr const char kEnd[] = "END";

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
// The wind kind of a WIND line that user loads follow.
inline constexpr const char kUser[] = "USER";

// Keys of the property lines (materials, shell and link properties); a
// material key also names the material of a shell property and a section.
inline constexpr const char kType[] = "TYPE";
inline constexpr const char kSymType[] = "SYMTYPE";
inline constexpr const char kFy[] = "FY";
inline constexpr const char kFu[] = "FU";
inline constexpr const char kFc[] = "FC";
inline constexpr const char kFys[] = "FYS";
inline constexpr const char kPrice[] = "PRICE";
inline constexpr const char kMassDensity[] = "M";
inline constexpr const char kMassPerVolume[] = "MASSPERVOLUME";
inline constexpr const char kWeightDensity[] = "W";
inline constexpr const char kWeightPerVolume[] = "WEIGHTPERVOLUME";
inline constexpr const char kConcMaterial[] = "CONCMATERIAL";
inline constexpr const char kPlateType[] = "PLATETYPE";
inline constexpr const char kModelingType[] = "MODELINGTYPE";
inline constexpr const char kSlabType[] = "SLABTYPE";
inline constexpr const char kDeckType[] = "DECKTYPE";
inline constexpr const char kTm[] = "TM";
inline constexpr const char kTb[] = "TB";
inline constexpr const char kSlabDepth[] = "SLABDEPTH";
inline constexpr const char kRibDepth[] = "RIBDEPTH";
inline constexpr const char kRibWidth[] = "RIBWIDTH";
inline constexpr const char kRibWidthTop[] = "DECKRIBWIDTHTOP";
inline constexpr const char kRibWidthBottom[] = "DECKRIBWIDTHBOTTOM";
inline constexpr const char kRibSpacing[] = "RIBSPACING";
inline constexpr const char kWeight[] = "WEIGHT";
inline constexpr const char kStudDia[] = "STUDDIA";
inline constexpr const char kStudHeight[] = "STUDHEIGHT";
inline constexpr const char kStudStrength[] = "STUDSTRENGTH";
// The shell type of a membrane (a deck's only kind in later versions).
inline constexpr const char kShellMembrane[] = "MEMBRANE";
inline constexpr const char kDof[] = "DOF";
inline constexpr const char kStiffnessOption[] = "STIFFNESSOPTION";
// The frame-section shape words of an auto-select list.
inline constexpr const char kAutoSelectList[] = "AUTO SELECT LIST";
inline constexpr const char kAutoSelect[] = "AUTO SELECT";

// Keys of the grid, geometry and assignment lines.
inline constexpr const char kCoordSystem[] = "COORDSYSTEM";
inline constexpr const char kGridSystem[] = "GRIDSYSTEM";
inline constexpr const char kGenGrid[] = "GENGRID";
inline constexpr const char kBubbleSize[] = "BUBBLESIZE";
inline constexpr const char kCoord[] = "COORD";
inline constexpr const char kGridType[] = "GRIDTYPE";
inline constexpr const char kBubbleLoc[] = "BUBBLELOC";
inline constexpr const char kGridHide[] = "GRIDHIDE";
inline constexpr const char kVisible[] = "VISIBLE";
inline constexpr const char kLabel[] = "LABEL";
// The grid line type and bubble place a line without those keys has.
inline constexpr const char kGridPrimary[] = "PRIMARY";
inline constexpr const char kBubbleDefault[] = "DEFAULT";
inline constexpr const char kDir[] = "DIR";
inline constexpr const char kAngle[] = "ANG";
inline constexpr const char kNone[] = "NONE";
inline constexpr const char kOpening[] = "OPENING";
inline constexpr const char kSpandrel[] = "SPANDREL";
inline constexpr const char kSpringProp[] = "SPRINGPROP";
inline constexpr const char kMaxStationSpacing[] = "MAXSTASPC";
inline constexpr const char kMinStations[] = "MINNUMSTA";
inline constexpr const char kLengthOffI[] = "LENGTHOFFI";
inline constexpr const char kLengthOffJ[] = "LENGTHOFFJ";
inline constexpr const char kRigidZone[] = "RIGIDZONE";
inline constexpr const char kObjMeshType[] = "OBJMESHTYPE";
// The start of the quoted key of a version 9 area spring ("SPRINGK3").
inline constexpr const char kAreaSpringKey[] = "SPRINGK";
// Yes / no value words (upper-cased).
inline constexpr const char kYes[] = "YES";
inline constexpr const char kNo[] = "NO";

// Keys of the load, combination and analysis lines.
inline constexpr const char kLoad[] = "LOAD";
inline constexpr const char kScaleFactor[] = "SF";
inline constexpr const char kSelfWeight[] = "SELFWEIGHT";
inline constexpr const char kFval[] = "FVAL";
inline constexpr const char kXLoc[] = "XLOC";
inline constexpr const char kYLoc[] = "YLOC";
// Keys of the values of a user lateral load, in the model's order.
inline constexpr const char* const kUserLoadKeys[5] = {"FX", "FY", "MZ", kXLoc, kYLoc};
inline constexpr const char kLoadSet[] = "SET";
inline constexpr const char kModes[] = "MODES";
inline constexpr const char kModeType[] = "MODETYPE";
inline constexpr const char kTolerance[] = "TOL";
inline constexpr const char kVersion[] = "VERSION";

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
// Dimension words of a general frame section, in parameter order.
inline constexpr const char* const kGeneralDimWords[14] = {
    "D", "B", "AREA", "TORSION", "I33", "I22", "AS2", "AS3", "S33", "S22", "Z33", "Z22", "R33", "R22"};
// Dimension words of the flanged shapes (tee, angle, channel, box/tube,
// I/wide flange), in parameter order; the rectangle has the first two, the
// circle the first one.
inline constexpr const char* const kFlangedDimWords[4] = {"D", "B", "TF", "TW"};
// Dimension words of a pipe, in parameter order.
inline constexpr const char* const kPipeDimWords[2] = {"D", "T"};
// Words of the six link degrees of freedom, in flag order.
inline constexpr const char* const kLinkDofWords[6] = {"U1", "U2", "U3", "R1", "R2", "R3"};

// Block headings, each a whole line without its line end.
inline constexpr const char kHeadingFileSaved[] = "$  File saved by Vorlan ";
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
// The heading of the load cases that a host writes by itself.
inline constexpr const char kHeadingStaticLoadCases[] = " $ Static Load case";
inline constexpr const char kHeadingPointLoads[] = "$ POINT OBJECT LOADS";
inline constexpr const char kHeadingLineLoads[] = "$ $ LINE OBJECT LOADS";
inline constexpr const char kHeadingAreaLoads[] = "$ AREA OBJECT LOADS";
inline constexpr const char kHeadingAnalysisOptions[] = "$ ANALYSIS OPTIONS";
inline constexpr const char kHeadingLog[] = "$ LOG";
// The last bytes of a written file (no line end follows).
inline constexpr const char kEndOfModel[] = "$End of Model file!";

}  // namespace e2k
}  // namespace bm
