#include "install/diagnostic_log.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(DiagnosticLog, WritesOnlyWithAStreamAttachedAndEnabled) {
    std::ostringstream out;
    DiagnosticLog().Trace("nothing attached %d", 1);
    DiagnosticLog().Attach(&out);
    DiagnosticLog().Trace("start %s %d", "font", 2);
    DiagnosticLog().SetEnabled(false);
    DiagnosticLog().Trace("disabled");
    DiagnosticLog().SetEnabled(true);
    DiagnosticLog().Attach(nullptr);
    DiagnosticLog().Trace("detached");
    EXPECT_EQ(out.str(), "start font 2\n");
}

}  // namespace
