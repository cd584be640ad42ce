// CBuildingModule's ETABS 8 text file entry points: unit words, opening and
// closing the file, and reporting a file error.
#include "etabs_writer/E2kWriter.h"
#include "model/BuildingModule.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/MessageBox.h"

void CBuildingModule::SetUnits(CString force, CString length) {
  if (!pUnitSystem) return;
  pUnitSystem->set_csForceUnit(force);
  pUnitSystem->set_csLengthUnit(length);
}

int CBuildingModule::GenerateETABS8TxtFile(CString path) {
  lastWriteReport = bm::WriteReport();
  CStdioFile file;
  try {
    // A file that cannot be created is reported by the result alone.
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText)) return 0;
    GenerateETABSDetailOperation(file);
    file.Close();
    return 1;
  } catch (CFileException&) {
    // What was written so far stays on disk; the file object closes it.
    AfxMessageBox("Wrong in generating BuildingModel!");
    return 0;
  }
}

void CBuildingModule::GenerateETABSDetailOperation(CStdioFile& file) {
  bm::E2kWriter writer(*this, [&file](const std::string& chunk) { file.WriteString(chunk); });
  try {
    writer.Write();
  } catch (...) {
    lastWriteReport = writer.report();
    throw;
  }
  lastWriteReport = writer.report();
}
