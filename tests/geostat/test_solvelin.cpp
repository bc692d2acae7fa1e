// The linear system solver: elimination with the first non-zero pivot, its
// failure message and its side effect on statw.
#include <gtest/gtest.h>

#include <vector>

#include "geostat/solvelin.hpp"
#include "geostat_support.hpp"

namespace tour {
namespace {

using testing::MessageLog;

// An augmented matrix (1..n, 1..n + 1) from its rows; statw preset to -7.
struct System {
    explicit System(const std::vector<std::vector<double>>& rows)
        : n(static_cast<std::int16_t>(rows.size())), m(1, n, 1, n + 1), x(1, n), pivots(1, n) {
        for (int i = 1; i <= n; ++i) {
            for (int k = 1; k <= n + 1; ++k) {
                m(i, k) = rows[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(k - 1)];
            }
        }
        for (int k = 1; k <= kMaxStations; ++k) {
            world.statw(k) = -7.0f;
        }
    }
    void solve() { solvelin(world, log, n, m, x, pivots); }
    void solve_shared() { solvelin(world, log, n, m, x, x); }

    std::int16_t n;
    Array2<double> m;
    Array1<double> x;
    Array1<double> pivots;
    World world;
    MessageLog log;
};

TEST(Solvelin, ExchangesAZeroDiagonalAndCopiesAllButTheLastUnknown) {
    System s({{0, 2, 1, 7}, {3, 1, 0, 5}, {1, 0, 2, 7}});  // solution 1, 2, 3
    s.solve();
    EXPECT_EQ(s.pivots(1), 3.0);  // row 2 moved up
    EXPECT_EQ(s.pivots(2), 2.0);
    EXPECT_NEAR(s.x(1), 1.0, 1e-14);
    EXPECT_NEAR(s.x(2), 2.0, 1e-14);
    EXPECT_NEAR(s.x(3), 3.0, 1e-14);
    EXPECT_EQ(s.world.statw(1), static_cast<float>(s.x(1)));
    EXPECT_EQ(s.world.statw(2), static_cast<float>(s.x(2)));
    EXPECT_EQ(s.world.statw(3), -7.0f);
    EXPECT_TRUE(s.log.messages.empty());
}

TEST(Solvelin, TakesTheFirstNonZeroPivotNotTheLargest) {
    // Pivoting on the 5 would give x(1) near 0.2; the tiny pivot loses it.
    System s({{1e-30, 1, 1}, {5, 1, 2}});
    s.solve();
    EXPECT_EQ(s.pivots(1), 1e-30);
    EXPECT_DOUBLE_EQ(s.pivots(2), 1.0 - 5e30);
    EXPECT_EQ(s.x(2), 1.0);
    EXPECT_EQ(s.x(1), 0.0);
}

TEST(Solvelin, SingularMatrixIsReportedOncePerCallAndLeavesStatwAlone) {
    System s({{2, 0, 1, 1}, {4, 0, 3, 2}, {1, 0, 5, 3}});  // column 2 all zero
    s.x(2) = 11.0;
    s.x(3) = 12.0;
    s.solve_shared();
    EXPECT_EQ(s.log.messages, std::vector<std::string>{"Matrix has no unique solution"});
    EXPECT_EQ(s.x(1), 2.0);  // the pivot of the one completed step
    EXPECT_EQ(s.x(2), 11.0);
    EXPECT_EQ(s.x(3), 12.0);
    for (int k = 1; k <= kMaxStations; ++k) {
        EXPECT_EQ(s.world.statw(k), -7.0f) << k;
    }
    s.solve_shared();
    EXPECT_EQ(s.log.messages.size(), 2u);
}

TEST(Solvelin, OneUnknownDividesAndTouchesNoWeight) {
    System s({{4, 3}});
    s.solve_shared();
    EXPECT_EQ(s.x(1), 0.75);
    EXPECT_EQ(s.world.statw(1), -7.0f);
}

TEST(Solvelin, SharedArrayAndUntouchedMatrixServeTheNextRightHandSide) {
    System s({{0, 1, 1, 5}, {1, 0, 1, 4}, {1, 1, 0, 3}});  // solution 1, 2, 3
    s.solve();
    const Array1<double> separate = s.x;
    s.solve_shared();
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(s.x(k), separate(k)) << k;
        EXPECT_NEAR(s.x(k), k, 1e-14) << k;
    }
    for (int i = 1; i <= 3; ++i) {
        s.m(i, 4) = 2.0;  // new right-hand side: solution 1, 1, 1
    }
    s.solve_shared();
    for (int k = 1; k <= 3; ++k) {
        EXPECT_NEAR(s.x(k), 1.0, 1e-14) << k;
    }
    EXPECT_EQ(s.m(1, 1), 0.0);
    EXPECT_EQ(s.m(2, 1), 1.0);
    EXPECT_TRUE(s.log.messages.empty());
}

}  // namespace
}  // namespace tour
