// File faults while saving, writing text and loading: the documented report; the model unchanged.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "RobustnessUtil.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

const char kArchiveMessage[] = "Wrong in save/read CBuildingModel!";

TEST(FileFault, FailedWritesKeepTheModelAndOnlyAFullDeviceShowsTheMessage) {
  struct stat st;
  const bool haveFull = stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode);
  TempDir folder;
  const std::string blocked = folder.File("no-such-folder/model");
  // An empty module (fits the buffer: fails only at close) and the test building (overflows it).
  std::unique_ptr<CBuildingModule> models[] = {std::make_unique<CBuildingModule>(), BuildTestBuilding()};
  for (auto& model : models) {
    const std::vector<uint8_t> before = StoreObject(*model);
    {
      MessageCapture messages;
      EXPECT_FALSE(model->ReadSaveFile(CString(blocked + ".bma"), 0));
      EXPECT_EQ(model->GenerateETABS8TxtFile(CString(blocked + ".e2k")), 0);
      // A folder in place of the file cannot be opened for writing either.
      EXPECT_FALSE(model->ReadSaveFile(CString(folder.path().string()), 0));
      EXPECT_EQ(model->GenerateETABS8TxtFile(CString(folder.path().string())), 0);
      EXPECT_EQ(messages.count(), 0u);
      EXPECT_FALSE(std::filesystem::exists(blocked + ".bma"));
    }
    if (haveFull) {
      MessageCapture messages;
      EXPECT_FALSE(model->ReadSaveFile(CString("/dev/full"), 0));
      EXPECT_EQ(model->GenerateETABS8TxtFile(CString("/dev/full")), 0);
      EXPECT_EQ(messages.messages(),
                (std::vector<std::string>{kArchiveMessage, "Wrong in generating BuildingModel!"}));
    }
    EXPECT_EQ(StoreObject(*model), before);
    ExpectWritable(*model, folder);  // still writes, saves and loads normally
  }
}

TEST(FileFault, LoadsThatCannotOpenOrReadReturnFalseAndOnlyAReadErrorShowsTheMessage) {
  TempDir folder;
  // A folder opens like a file on POSIX systems but every read fails.
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {folder.File("missing.bma"), {}},
#ifndef _WIN32
      {folder.path().string(), {kArchiveMessage}},
#endif
  };
  for (const auto& [path, message] : cases) {
    CBuildingModule module;
    const std::vector<uint8_t> before = StoreObject(module);
    MessageCapture messages;
    const LoadOutcome outcome = LoadArchive(module, path);
    EXPECT_FALSE(outcome.threw || outcome.result) << path;
    EXPECT_EQ(messages.messages(), message);
    EXPECT_EQ(StoreObject(module), before);
    ExpectWritable(module, folder);
  }
}

}  // namespace
}  // namespace bm::test
