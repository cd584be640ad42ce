// buildingmodel: the structural model of a multi-storey building in memory,
// its binary archive and its ETABS 8 text file. Hosts include only this header.
//
// It sits in buildingmodel/ beside the library's own folders (platform/,
// model/, ...), both installed (<prefix>/include/buildingmodel) and in a
// build tree (<build>/include/buildingmodel), so the includes below resolve
// next to it; hosts put only the folder above buildingmodel/ on their
// include path.
#pragma once

// Platform layer.
#include "platform/Archive.h"
#include "platform/Array.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeClass.h"
#include "platform/String.h"

// Model foundation.
#include "model/BMComponent.h"
#include "model/BMComponentList.h"
#include "model/BMContainer.h"
#include "model/BMMgrSys.h"
#include "model/BuildingModule.h"

// Structural geometry.
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMGrid.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"

// Properties.
#include "properties/BMAutoSection.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMMaterial.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMUnitSystem.h"
#include "properties/BMWallSlabDeckSection.h"

// Loads, analysis options and results.
#include "loads/BMAnalysisOption.h"
#include "loads/BMDynamicCase.h"
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"

// Managers.
#include "managers/BMMgrForce.h"
#include "managers/BMMgrGeometry.h"
#include "managers/BMMgrLoad.h"

// Text-file writer.
#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kWriter.h"
#include "etabs_writer/WriteReport.h"

// Text-file reader.
#include "etabs_reader/ReadReport.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "etabs_reader/ZBMComponent.h"
#include "etabs_reader/ZComItem.h"
#include "etabs_reader/ZFileReadModule.h"

// Loading and saving a model file of either form, told apart by content.
#include "model/ModelFile.h"
