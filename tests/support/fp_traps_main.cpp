// Test entry point of the core tests: floating-point traps on for invalid
// operations, division by zero and overflow.
#include <fenv.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    return RUN_ALL_TESTS();
}
