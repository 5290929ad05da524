#include "testscreen/gridswitch.h"

#include "resultsheet/resultsheet.h"
#include "resultsheet/sheetgeometry.h"
#include "testrun/teststate.h"
#include "testscreen/explanationtexts.h"
#include "testscreen/fieldlayout.h"
#include "windows/resultwindow.h"
#include "windows/testwindow.h"

#include <QPushButton>

GridSwitch::GridSwitch(TestState& state, FrmTest& test, FieldLayout& layout, ResultSheet& sheet)
    : m_state(state)
    , m_test(test)
    , m_layout(layout)
    , m_sheet(sheet)
{
}

void GridSwitch::onKaeClicked()
{
    m_state.intKaeFirst = 1;
    m_state.swtKae = ~m_state.swtKae;

    const bool fine = m_state.isFine();
    const GridMode& mode = gridMode(m_state);
    m_test.cmdKae->setText(fine ? QStringLiteral("細") : QStringLiteral("粗"));
    m_test.cmdKae->setToolTip(fine ? QStringLiteral("クリックで検査個所を減らして粗くします｡")
                                   : QStringLiteral("クリックで検査個所を増やして細かくします｡"));
    m_test.setWindowTitle(QString::fromUtf8(mode.testTitle));
    // Touching the result window loads it, hidden, if it is not loaded.
    m_sheet.touch().setWindowTitle(QString::fromUtf8(mode.sheetTitle));

    m_layout.layoutCurrentMode();
    explanation::setRdmText(m_state, m_test);
    setBetuScale();
}

void GridSwitch::setBetuScale()
{
    // The controls of a loaded window stay where they are on the screen.
    FrmBetu& window = m_sheet.touch();
    const SheetGeometry& g = sheetGeometry(m_state.isFine());
    window.setScaleWidth(g.scaleWidth);
    window.setScaleHeight(g.scaleHeight);
    window.x3 = window.scaleWidth() / 2;
}
