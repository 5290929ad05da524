#include "testrun/teststate.h"

const GridMode kFineGrid{
    19, 15, &TestState::kekaL15, &TestState::kekaR15, "視野検査(15×19)", "別表[結果](15×19)"};
const GridMode kCoarseGrid{
    13, 11, &TestState::kekaL11, &TestState::kekaR11, "視野検査(11×13)", "別表[結果](11×13)"};

const GridMode& gridMode(const TestState& state)
{
    return state.isFine() ? kFineGrid : kCoarseGrid;
}

ResultGrid& leftGrid(TestState& state)
{
    return state.*gridMode(state).left;
}

ResultGrid& rightGrid(TestState& state)
{
    return state.*gridMode(state).right;
}
