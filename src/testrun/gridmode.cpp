#include "testrun/gridmode.h"

#include "testrun/teststate.h"

const GridMode kFineGrid{
    .columns = 19,
    .rows = 15,
    .left = &TestState::kekaL15,
    .right = &TestState::kekaR15,
    .testTitle = "視野検査(15×19)",
    .sheetTitle = "別表[結果](15×19)",
    .kaeCaption = "細",
    .kaeToolTip = "クリックで検査個所を減らして粗くします｡",
    .timeLine = "[視野検査(15×19)]は片方で約４分半かかります。 [早]をクリックすると約７分になります｡",
    .switchLine = "[細]をクリックして[粗]にすると[視野検査(11×13)]と、検査個所が少なくなります。",
    .field = {
        .scaleWidth = 20,
        .scaleHeight = 16.1,
        .fixationX = 10,
        .fixationY = 8,
        .markDrop = 0.27,
        .instructionDrop = 0.4,
        .labelShift = 1,
        .upperLabelRise = 4.6,
        .lowerLabelDrop = 1.5,
        .frameRise = 0.81,
    },
    .dotSizes = {
        {.dotHeight = 0.26, .dotWidth = 0.25, .markHeight = 0.27, .markWidth = 0.26},
        {.dotHeight = 0.45, .dotWidth = 0.42, .markHeight = 0.45, .markWidth = 0.42},
        {.dotHeight = 0.71, .dotWidth = 0.66, .markHeight = 0.71, .markWidth = 0.66},
    },
    .sheet = {
        .scaleWidth = 44,
        .scaleHeight = 18,
        .leftLineFrom = 1,
        .leftLineTo = 21,
        .rightLineFrom = 23,
        .rightLineTo = 43,
        .rightMapShift = 23,
        .verticalTop = 1.5,
        .verticalBottom = 17,
        .dividerTop = 2,
        .dividerBottom = 16,
        .leftLabelDx = -0.5,
        .rightLabelDx = 21.5,
        .dateDxFromTestWindow = -2.4,
        .dateDxFromSheet = -2.5,
        .noteDx = {-3.3, 17},
        .leftMark = {1.68, 1.67},
        .rightMarkDx = 1.68,
        .combo1Dx = 0.7,
        .combo2Dx = 22.7,
        .buttonOffset = 2,
    },
};

const GridMode kCoarseGrid{
    .columns = 13,
    .rows = 11,
    .left = &TestState::kekaL11,
    .right = &TestState::kekaR11,
    .testTitle = "視野検査(11×13)",
    .sheetTitle = "別表[結果](11×13)",
    .kaeCaption = "粗",
    .kaeToolTip = "クリックで検査個所を増やして細かくします｡",
    .timeLine = "[視野検査(11×13)]は片方で約２分かかります。 [早]をクリックすると約３分半になります｡",
    .switchLine = "[粗]をクリックして[細]にすると[視野検査(15×19)]と、検査個所が多くなります。",
    .field = {
        .scaleWidth = 14,
        .scaleHeight = 12,
        .fixationX = 7,
        .fixationY = 6,
        .markDrop = 0.2,
        .instructionDrop = 0.3,
        .labelShift = 0.7,
        .upperLabelRise = 3.43,
        .lowerLabelDrop = 1.12,
        .frameRise = 0.6,
    },
    .dotSizes = {
        {.dotHeight = 0.18, .dotWidth = 0.17, .markHeight = 0.18, .markWidth = 0.17},
        {.dotHeight = 0.30, .dotWidth = 0.28, .markHeight = 0.30, .markWidth = 0.28},
        {.dotHeight = 0.48, .dotWidth = 0.44, .markHeight = 0.48, .markWidth = 0.44},
    },
    .sheet = {
        .scaleWidth = 31.5,
        .scaleHeight = 14,
        .leftLineFrom = 1,
        .leftLineTo = 15,
        .rightLineFrom = 16.5,
        .rightLineTo = 30.5,
        .rightMapShift = 16.5,
        .verticalTop = 1.5,
        .verticalBottom = 13,
        .dividerTop = 1.4,
        .dividerBottom = 13.5,
        .leftLabelDx = -0.2,
        .rightLabelDx = 15.1,
        .dateDxFromTestWindow = -1.6,
        .dateDxFromSheet = -1.6,
        .noteDx = {-2.4, 13},
        .leftMark = {1.79, 1.72},
        .rightMarkDx = 1.55,
        .combo1Dx = 0.7,
        .combo2Dx = 16.3,
        .buttonOffset = 1.5,
    },
};

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

ResultGrid& eyeGrid(TestState& state, bool left)
{
    return left ? leftGrid(state) : rightGrid(state);
}

void leaveCountersPastGrid(TestState& state)
{
    state.a = gridMode(state).columns;
    state.b = gridMode(state).rows;
    state.pointToAnswer.reset();
}
