// Saving and loading the whole model through the binary archive.
#include "model/BuildingModule.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"

namespace {
constexpr int kFileBufferBytes = 1 << 16;
}  // namespace

void CBuildingModule::Serialize(CArchive& ar) { bm::Transfer(ar, *pUnitSystem, theContainer); }

bool CBuildingModule::ReadSaveFile(CString path, int load) {
  CFile file;
  const unsigned mode =
      load ? (CFile::modeRead | CFile::shareExclusive) : (CFile::modeCreate | CFile::modeWrite);
  if (!file.Open(path, mode)) return false;
  CArchive* ar = nullptr;
  try {
    // Decision: a larger buffer than the legacy 4096 bytes, so that the file
    // is read and written in few calls; the bytes are the same.
    ar = new CArchive(&file, load ? CArchive::load : CArchive::store, kFileBufferBytes);
    if (load) lastLoadTrailingBytes = 0;
    Serialize(*ar);
    if (load) {
      // What is left after the twelve list blocks belongs to no record.
      lastLoadTrailingBytes = ar->BytesLeft();
      CreateTopologyForReading();
    }
    ar->Close();
    delete ar;
    ar = nullptr;
    file.Close();
  } catch (CFileException&) {
    AfxMessageBox("Wrong in save/read CBuildingModel!");
    if (ar) ar->Abort();
    delete ar;
    file.Abort();
    return false;
  } catch (...) {
    // Archive exceptions of a malformed archive reach the caller; the file
    // is closed and the archive freed on the way.
    if (ar) ar->Abort();
    delete ar;
    file.Abort();
    throw;
  }
  return true;
}
