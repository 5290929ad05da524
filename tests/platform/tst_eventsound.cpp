#include "support/testmain.h"

#include "platform/eventsound.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TstEventSound : public QObject {
    Q_OBJECT
private slots:
    void aServerThatNeverAnswersDoesNotHoldTheQuit();
};

void TstEventSound::aServerThatNeverAnswersDoesNotHoldTheQuit()
{
    // A sound server that lets the connection in and never says a word.
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("native"));
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    QCOMPARE(bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    QCOMPARE(listen(server, 4), 0);
    qputenv("PULSE_SERVER", "unix:" + path);

    auto sound = std::make_unique<EventSound>([] {});
    sound->play();
    pollfd connection{server, POLLIN, 0};
    QCOMPARE(poll(&connection, 1, 10000), 1); // the worker is waiting for an answer
    QElapsedTimer quit;
    quit.start();
    sound.reset();
    // libpulse gives up on a silent server after 30 s.
    QCOMPARE_LT(quit.elapsed(), 2000);
    close(server);
}

SHIYA_TEST_MAIN(TstEventSound)
#include "tst_eventsound.moc"
