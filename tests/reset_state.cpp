// Linked into every test program: the shared calendar state (the nation, the
// loaded year, the day table ...) starts fresh before each test, so a test that
// fails half-way cannot leave its state to the next one.
#include <gtest/gtest.h>

#include "calendar/state.h"

namespace {

class ResetState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { tovmir::resetCalendarState(); }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetState);
    return true;
}();

}  // namespace
