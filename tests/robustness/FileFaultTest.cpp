// File faults while saving, writing text and loading: each reports the
// documented way (result, and the message where one is documented) and a
// failed write never changes the model.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RobustnessUtil.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

const char* const kArchiveMessage = "Wrong in save/read CBuildingModel!";
const char* const kTextMessage = "Wrong in generating BuildingModel!";

bool HasDevFull() {
  struct stat st;
  return stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode);
}

// The models a fault is tried on: an empty module (whose whole archive fits
// the buffer, so a failure can only show when the file is closed) and the
// test building (which overflows the buffer several times).
std::vector<std::unique_ptr<CBuildingModule>> Models() {
  std::vector<std::unique_ptr<CBuildingModule>> models;
  models.push_back(std::make_unique<CBuildingModule>());
  models.push_back(BuildTestBuilding());
  return models;
}

TEST(FileFault, PathThatCannotBeCreatedFailsWithoutMessageAndKeepsTheModel) {
  TempDir folder;
  const std::string blocked = folder.File("no-such-folder/model");
  for (auto& model : Models()) {
    const std::vector<uint8_t> before = ArchiveOf(*model, folder);
    MessageCapture messages;
    EXPECT_FALSE(model->ReadSaveFile(CString(blocked + ".bma"), 0));
    EXPECT_EQ(model->GenerateETABS8TxtFile(CString(blocked + ".e2k")), 0);
    // A folder in place of the file cannot be opened for writing either.
    EXPECT_FALSE(model->ReadSaveFile(CString(folder.path().string()), 0));
    EXPECT_EQ(model->GenerateETABS8TxtFile(CString(folder.path().string())), 0);
    EXPECT_EQ(messages.count(), 0u);
    EXPECT_EQ(ArchiveOf(*model, folder), before);
    EXPECT_FALSE(std::filesystem::exists(blocked + ".bma"));
  }
}

TEST(FileFault, FullDeviceReportsTheMessageAndKeepsTheModel) {
  if (!HasDevFull()) GTEST_SKIP() << "no /dev/full on this system";
  TempDir folder;
  for (auto& model : Models()) {
    const std::vector<uint8_t> before = ArchiveOf(*model, folder);
    {
      MessageCapture messages;
      EXPECT_FALSE(model->ReadSaveFile(CString("/dev/full"), 0));
      ASSERT_EQ(messages.count(), 1u);
      EXPECT_EQ(messages.messages()[0], kArchiveMessage);
    }
    {
      MessageCapture messages;
      EXPECT_EQ(model->GenerateETABS8TxtFile(CString("/dev/full")), 0);
      ASSERT_EQ(messages.count(), 1u);
      EXPECT_EQ(messages.messages()[0], kTextMessage);
    }
    EXPECT_EQ(ArchiveOf(*model, folder), before);
    // The module still saves, writes and loads normally afterwards.
    EXPECT_EQ(model->GenerateETABS8TxtFile(CString(folder.File("after.e2k"))), 1);
    CBuildingModule reloaded;
    EXPECT_TRUE(LoadArchive(reloaded, folder.File("snapshot.bma")).result);
  }
}

TEST(FileFault, LoadingAMissingFileFailsWithoutMessageAndChangesNothing) {
  TempDir folder;
  CBuildingModule module;
  const std::vector<uint8_t> before = ArchiveOf(module, folder);
  MessageCapture messages;
  const LoadOutcome outcome = LoadArchive(module, folder.File("missing.bma"));
  EXPECT_FALSE(outcome.threw);
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_EQ(ArchiveOf(module, folder), before);
}

TEST(FileFault, LoadingAFileThatCannotBeReadReportsTheMessage) {
  // A folder opens like a file on POSIX systems but every read fails: the
  // read error is a file error during the transfer.
#ifdef _WIN32
  GTEST_SKIP() << "a folder does not open as a file on Windows";
#endif
  TempDir folder;
  CBuildingModule module;
  MessageCapture messages;
  const LoadOutcome outcome = LoadArchive(module, folder.path().string());
  EXPECT_FALSE(outcome.threw);
  EXPECT_FALSE(outcome.result);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.messages()[0], kArchiveMessage);
  EXPECT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("after.e2k"))), 1);
}

TEST(FileFault, AFileRemovedBeforeLoadingFailsLikeAMissingOne) {
  TempDir folder;
  std::unique_ptr<CBuildingModule> model = BuildTestBuilding();
  const std::string path = folder.File("gone.bma");
  ASSERT_TRUE(model->ReadSaveFile(CString(path), 0));
  std::filesystem::remove(path);
  CBuildingModule module;
  MessageCapture messages;
  const LoadOutcome outcome = LoadArchive(module, path);
  EXPECT_FALSE(outcome.threw);
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(messages.count(), 0u);
}

}  // namespace
}  // namespace bm::test
