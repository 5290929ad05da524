#include "testscreen/gridswitch.h"

#include "resultsheet/resultsheet.h"
#include "testrun/teststate.h"
#include "testscreen/explanationtexts.h"
#include "testscreen/fieldlayout.h"
#include "windows/testwindow.h"

#include <QPushButton>

GridSwitch::GridSwitch(TestState& state, FrmTest& test, FieldLayout& layout, ResultSheet& sheet)
    : m_state(state)
    , m_test(test)
    , m_layout(layout)
    , m_sheet(sheet)
{
}

void GridSwitch::showMode()
{
    const GridMode& mode = gridMode(m_state);
    m_test.cmdKae->setText(QString::fromUtf8(mode.kaeCaption));
    m_test.cmdKae->setToolTip(QString::fromUtf8(mode.kaeToolTip));
    m_test.setWindowTitle(QString::fromUtf8(mode.testTitle));
}

void GridSwitch::onKaeClicked()
{
    m_state.intKaeFirst = 1;
    m_state.swtKae = ~m_state.swtKae;

    const GridMode& mode = gridMode(m_state);
    showMode();
    m_sheet.setTitle(mode);

    m_layout.layoutCurrentMode();
    explanation::setRdmText(m_state, m_test);
    m_sheet.setScale(mode);
}
