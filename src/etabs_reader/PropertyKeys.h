// PropertyKeys: the keys of property lines that version 8 files and later
// versions share, with how the reader takes each into the model.
#pragma once

#include "../e2k_format/E2kKeywords.h"
#include "../properties/BMLink.h"
#include "../properties/BMMaterial.h"
#include "../properties/BMWallSlabDeckSection.h"
#include "KeyTable.h"

namespace bm::reader {

// Strengths and price of a material: the keys of a version 8 design line,
// which later versions write on the material's lines too.
inline constexpr KeyField<CBMMaterial> kMaterialStrengthKeys[] = {
    {e2k::kFy, TakeNumber<&CBMMaterial::set_FY>},       {e2k::kFu, TakeNumber<&CBMMaterial::set_FU>},
    {e2k::kFc, TakeNumber<&CBMMaterial::set_FC>},       {e2k::kFys, TakeNumber<&CBMMaterial::set_FYS>},
    {e2k::kPrice, TakeNumber<&CBMMaterial::set_Price>},
};

// Keys of a shell property that name its material: any of them sets it, the
// last one read winning.
inline constexpr const char* kShellMaterialKeys[] = {e2k::kMaterial, e2k::kConcMaterial};

// The shell and plate types, the deck type and the numbers of a shell
// property under their version 8 keys, which version 9 keeps.
inline constexpr KeyField<CBMWallSlabDeckSection> kShellKeys[] = {
    {e2k::kType, TakeWord<&CBMWallSlabDeckSection::set_ShellType>},
    {e2k::kPlateType, TakeWord<&CBMWallSlabDeckSection::set_PlateType>},
    {e2k::kDeckType, TakeWord<&CBMWallSlabDeckSection::set_DeckType>},
    {e2k::kTm, TakeNumber<&CBMWallSlabDeckSection::set_TM>},
    {e2k::kTb, TakeNumber<&CBMWallSlabDeckSection::set_TB>},
    {e2k::kSlabDepth, TakeNumber<&CBMWallSlabDeckSection::set_SlabDepth>},
    {e2k::kRibDepth, TakeNumber<&CBMWallSlabDeckSection::set_RibDepth>},
    {e2k::kRibWidth, TakeNumber<&CBMWallSlabDeckSection::set_RibWidth>},
    {e2k::kRibSpacing, TakeNumber<&CBMWallSlabDeckSection::set_RibSpacing>},
    {e2k::kWeight, TakeNumber<&CBMWallSlabDeckSection::set_Weight>},
    {e2k::kStudDia, TakeNumber<&CBMWallSlabDeckSection::set_StuDia>},
    {e2k::kStudHeight, TakeNumber<&CBMWallSlabDeckSection::set_StudHeight>},
    {e2k::kStudStrength, TakeNumber<&CBMWallSlabDeckSection::set_StudStrength>},
};

// The link's flag for each word of e2k::kLinkDofWords, in that order.
inline constexpr int CBMLink::*const kLinkDofFlags[6] = {&CBMLink::DofU1, &CBMLink::DofU2, &CBMLink::DofU3,
                                                         &CBMLink::DofR1, &CBMLink::DofR2, &CBMLink::DofR3};

}  // namespace bm::reader
