// Every end-to-end test runs with the recorder as the user's browser: a run that opens the
// browser records what it would have started instead of starting a real one.
#include <gtest/gtest.h>

#include "e2e/driver/browser_recorder.h"

namespace {

class RecordedBrowserEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(e2e::RecordedBrowser().install()) << "could not set the browser command";
    }
    void TearDown() override { e2e::RecordedBrowser().restore(); }
};

const ::testing::Environment* const kRecordedBrowser =
    ::testing::AddGlobalTestEnvironment(new RecordedBrowserEnvironment);

}  // namespace
