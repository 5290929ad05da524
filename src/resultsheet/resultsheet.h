#pragma once

#include "resultsheet/sheetdrawing.h"
#include "testrun/teststate.h"

#include <QMargins>
#include <QPointer>

#include <optional>

class FrmBetu;
struct GridMode;
struct Services;
struct SheetGeometry;

// The result window's life and the buttons that act on the sheet. The window is loaded the
// first time anything touches it and again after the user has closed it; it holds no
// results of its own, only its picture, and is rebuilt from the shared state.
class ResultSheet {
public:
    ResultSheet(TestState& state, Services& services);
    ~ResultSheet();
    ResultSheet(const ResultSheet&) = delete;
    ResultSheet& operator=(const ResultSheet&) = delete;

    // The window if it is loaded, else nullptr.
    FrmBetu* window() const;
    // The window, loaded hidden first if it is not.
    FrmBetu& touch();
    void unload();

    // The grid switch names the grid in the title and gives the sheet the grid's scale; each
    // loads the window, hidden, if it is not loaded.
    void setTitle(const GridMode& mode);
    void setScale(const GridMode& mode);

    // Test window buttons.
    void onKekaClicked(); // draws the whole sheet from the current results
    void onBetuClicked(); // brings the window to the front as it is

    // Result window events.
    void onLabelChanged();
    void onCopyClicked();
    void onClearClicked();

private:
    // What the sheet shows: who drew it, whether with the marks, and from what state.
    struct Drawing {
        sheet::Side side;
        bool marks;
        TestState state;
    };

    void load(FrmBetu& window);
    // The frame the window will get: the one an earlier window got, else the platform's
    // own where it tells it before the window shows, else a guess.
    QMargins expectedFrame(FrmBetu& window) const;
    // The scale, the centre lines and the label combo boxes of a grid mode's sheet
    // (SetupSheet15 and SetupSheet11).
    void setupSheet(const GridMode& mode);
    static void applyScale(FrmBetu& window, const SheetGeometry& geometry);
    void showInFront(FrmBetu& window);
    // Clears the sheet and draws it; what the sheet shows is kept, so that a new client
    // area shows it again as it was.
    void drawSheet(Drawing drawing);
    void draw(const Drawing& drawing);

    TestState& m_state;
    Services& m_services;
    QPointer<FrmBetu> m_window;
    std::optional<Drawing> m_shown; // what the loaded window shows; none while blank
    // The frame the window manager put around a result window, once one was framed.
    std::optional<QMargins> m_learntFrame;
};
