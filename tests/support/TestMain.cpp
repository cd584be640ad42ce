// Test entry point: silences message boxes unless a test captures them.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxSetMessageHandler([](const char*) { return 1; });
  return RUN_ALL_TESTS();
}
