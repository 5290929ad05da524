#include "testrun/gridmode.h"

#include "testrun/teststate.h"

// clang-format off
const GridMode kFineGrid{
    19, 15, &TestState::kekaL15, &TestState::kekaR15,
    "視野検査(15×19)", "別表[結果](15×19)",
    "細", "クリックで検査個所を減らして粗くします｡",
    "[視野検査(15×19)]は片方で約４分半かかります。 [早]をクリックすると約７分になります｡",
    "[細]をクリックして[粗]にすると[視野検査(11×13)]と、検査個所が少なくなります。",
    {20, 16.1,  10, 8,  0.27, 0.4,  1, 4.6, 1.5,  0.81},
    {{0.26, 0.25, 0.27, 0.26}, {0.45, 0.42, 0.45, 0.42}, {0.71, 0.66, 0.71, 0.66}},
    {44, 18,
     1, 21,  23, 43,  23,  1.5, 17,  2, 16,
     -0.5, 21.5,  -2.4, -2.5,  {-3.3, 17},
     {1.68, 1.67}, 1.68,
     0.7, 22.7,  2},
};

const GridMode kCoarseGrid{
    13, 11, &TestState::kekaL11, &TestState::kekaR11,
    "視野検査(11×13)", "別表[結果](11×13)",
    "粗", "クリックで検査個所を増やして細かくします｡",
    "[視野検査(11×13)]は片方で約２分かかります。 [早]をクリックすると約３分半になります｡",
    "[粗]をクリックして[細]にすると[視野検査(15×19)]と、検査個所が多くなります。",
    {14, 12,  7, 6,  0.2, 0.3,  0.7, 3.43, 1.12,  0.6},
    {{0.18, 0.17, 0.18, 0.17}, {0.30, 0.28, 0.30, 0.28}, {0.48, 0.44, 0.48, 0.44}},
    {31.5, 14,
     1, 15,  16.5, 30.5,  16.5,  1.5, 13,  1.4, 13.5,
     -0.2, 15.1,  -1.6, -1.6,  {-2.4, 13},
     {1.79, 1.72}, 1.55,
     0.7, 16.3,  1.5},
};
// clang-format on

const GridMode& gridMode(const TestState& state)
{
    return state.swtKae == 0 ? kFineGrid : kCoarseGrid;
}

ResultGrid& leftGrid(TestState& state)
{
    return state.*gridMode(state).left;
}

ResultGrid& rightGrid(TestState& state)
{
    return state.*gridMode(state).right;
}
