// Every test here talks to the document object, so COM is initialised once for the process, the
// way the program does it at start-up.
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

// Registered before main runs; gtest owns and deletes it.
[[maybe_unused]] ::testing::Environment* const kComEnvironment =
    ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
