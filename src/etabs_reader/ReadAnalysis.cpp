// Handler of the analysis option lines, in files of every version: the
// active degrees of freedom and the modal settings the model holds. Mass,
// P-delta and other analysis settings have no place in the model.
#include <algorithm>
#include <climits>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyedLine.h"
#include "etabs_reader/WordTables.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "loads/BMAnalysisOption.h"
#include "model/BuildingModule.h"

namespace {

// Which mass and load vectors a Ritz analysis starts from: no place.
constexpr const char* kRitzKeys[] = {"INCLUDEVECTORS", "ACCELX", "ACCELY", "ACCELZ", "MAXCYCLES"};

}  // namespace

void ZAdapterEtabs8::ProcessAnalysisOptions(ZComItemList* block) {
  CBMAnalysisOption* options = pMgrGeometry->get_pCBMAnalysisOption();
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    if (options && line->TokenIs(1, bm::e2k::kActiveDof)) {
      // The quoted list names the active freedoms; the others are inactive.
      bool active[6] = {};
      bm::reader::ForEachWord(*line, 2, line->GetItemCount(), [&](std::string_view word) {
        const int f = bm::reader::WordIndex(bm::e2k::kJointDofWords, word);
        if (f >= 0) active[f] = true;
      });
      options->set_bUx(active[0]);
      options->set_bUy(active[1]);
      options->set_bUz(active[2]);
      options->set_bRx(active[3]);
      options->set_bRy(active[4]);
      options->set_bRz(active[5]);
    } else if (options && line->TokenIs(1, bm::e2k::kDynamics)) {
      bm::reader::KeyedLine keys(*line, 2);
      // A count beyond int's range is held at its ends, never converted as is.
      if (keys.Has(bm::e2k::kModes)) {
        const double modes = std::clamp(keys.Number(bm::e2k::kModes), double(INT_MIN), double(INT_MAX));
        options->set_iDMode(static_cast<int>(modes));
      }
      if (keys.Has(bm::e2k::kModeType)) options->set_sDAnaType(keys.Word(bm::e2k::kModeType));
      if (keys.Has(bm::e2k::kTolerance)) options->set_dEigenTOL(keys.Number(bm::e2k::kTolerance));
      for (const char* key : kRitzKeys) keys.NotModelData(key);
      keys.ReportUnused(Report, line->Token(1));
    } else {
      Report.CountNotModelData(line->Token(1));
    }
  }
}
