// Rebuilding the links between objects after an archive was loaded.
#include "model/BuildingModule.h"

void CBuildingModule::CreateTopologyForReading() {}
