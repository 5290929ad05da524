#include "platform/application.h"
#include "platform/identity.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    wait();
    setApplicationVersion(QString::fromLatin1(identity::kVersion));
    setFont(fonts::windowFont(9));
    // What the style draws in fonts of its own keeps their sizes but takes the design
    // typeface: Windows gives tool tips and lists its UI face, whose fallback for Japanese
    // text may be a Chinese or Korean face.
    for (const char* widgetClass : {"QTipLabel", "QAbstractItemView", "QListView"}) {
        QFont font = QApplication::font(widgetClass);
        font.setFamily(fonts::windowFamily());
        setFont(font, widgetClass);
    }
}
