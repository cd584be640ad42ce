// Handlers of the definition lines of later-version files (9 to 22) that
// lay out the building: storeys, diaphragms and grids, read by key. The
// properties (materials, sections, ...) are read in ReadKeyedProperties.cpp.
#include <memory>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyedLine.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMGrid.h"
#include "model/geometry/BMLevel.h"

namespace {

using bm::reader::KeyedLine;

// Editing aids of the program (storeys drawn alike), nothing about the model.
constexpr const char* kStoreyDisplayKeys[] = {"MASTERSTORY", "SIMILARTO"};

}  // namespace

void ZAdapterEtabs8::ProcessKeyedStories(ZComItemList* groups) {
  // Elevation of the storey below, once known.
  double elevation = 0.0;
  bool elevationKnown = false;
  ForEachNewStorey(groups, [&](const ZComItemList& group, CBMLevel* level) {
    bool named = false;
    ForEachLine(&group, [&](const ZComItem& line) {
      if (!named) {
        CString name = line.GetString(2, 0);
        level->set_Name(name);
        named = true;
      }
      KeyedLine kl(line, 3);
      for (const char* key : kStoreyDisplayKeys) kl.Ignore(key);
      const int height = kl.Find(bm::e2k::kHeight);
      const int elev = kl.Find(bm::e2k::kElev);
      if (height) {
        level->set_Height(line.GetDouble(height, 0));
        elevation += level->get_Height();
      }
      if (elev) {
        const double z = line.GetDouble(elev, 0);
        level->set_EleHeight(z);
        // Decision: a storey above the base given by its elevation alone gets
        // the height over the storey below, since the model (and its version
        // 8 text) keeps heights for every storey but the base.
        if (!height && elevationKnown) level->set_Height(z - elevation);
        elevation = z;
        elevationKnown = true;
      }
      kl.ReportUnused(Report, CurrentKeyword);
    });
  });
}

void ZAdapterEtabs8::ProcessKeyedDiaphragms(ZComItemList* groups) {
  CBMDiaphragmList* diaphragms = pMgrGeometry->get_pDiaphragmList();
  if (!diaphragms) return;
  ForEachKeyedLine(groups, [&](const ZComItem&, CString& name, KeyedLine& kl) {
    // DISCONNECTED is the assignment word for "no diaphragm", never a
    // diaphragm of its own.
    if (name == bm::e2k::kDisconnected) {
      Report.CountNotModelData(CurrentKeyword);
      return false;
    }
    // The model's diaphragm is one kind only: rigid or semi-rigid is not held.
    kl.NotModelData(bm::e2k::kType);
    diaphragms->AddDiaphragm(name);
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedGrids(ZComItemList* lines) {
  CBMGridList* grids = pMgrGeometry->get_pGridList();
  if (!grids) return;
  // The model holds one grid system: the first one of a file whose grid
  // list is still empty. Lines of any other system are counted as not taken.
  bool systemTaken = false;
  ForEachKeyedLine(lines, [&](const ZComItem& line, CString& system, KeyedLine& kl) {
    if (line.TokenIs(1, bm::e2k::kCoordSystem) || line.TokenIs(1, bm::e2k::kGridSystem)) {
      const bool first = !systemTaken && grids->GetCount() == 0;
      if (!first && system != grids->get_CoordSystem()) {
        Skip(bm::skip::kOtherGridSystem);
        return false;
      }
      systemTaken = true;
      grids->set_CoordSystem(system);
      if (const int t = kl.Find(bm::e2k::kType)) {
        CString type = line.GetString(t, 0);
        grids->set_GridType(type);
      }
      if (const int t = kl.Find(bm::e2k::kBubbleSize)) grids->set_BubbleSize(line.GetDouble(t, 0));
      return true;
    }
    if (line.TokenIs(1, bm::e2k::kGenGrid)) {
      // A grid line between two plan points: the model's grid lines lie on
      // an axis and span the plan.
      Skip(bm::skip::kGeneralGrid);
      return false;
    }
    if (system != grids->get_CoordSystem()) {
      Skip(bm::skip::kOtherGridSystem);
      return false;
    }
    if (!kl.Has(bm::e2k::kCoord)) {
      Skip(bm::skip::kNotRead);
      return false;
    }
    // Version 9 hides a line with GRIDHIDE "YES", later versions with
    // VISIBLE "No"; later versions have no line type (all primary).
    const CString lineType =
        kl.Has(bm::e2k::kGridType) ? kl.Word(bm::e2k::kGridType) : CString(bm::e2k::kGridPrimary);
    const CString bubble =
        kl.Has(bm::e2k::kBubbleLoc) ? kl.Word(bm::e2k::kBubbleLoc) : CString(bm::e2k::kBubbleDefault);
    const bool hide =
        kl.Word(bm::e2k::kGridHide) == bm::e2k::kYes || kl.Word(bm::e2k::kVisible) == bm::e2k::kNo;
    grids->Adopt(std::make_unique<CBMGrid>(kl.Word(bm::e2k::kDir), kl.Text(bm::e2k::kLabel),
                                           kl.Number(bm::e2k::kCoord), lineType, bubble, hide));
    return true;
  });
}
