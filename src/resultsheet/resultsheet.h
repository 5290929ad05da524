#pragma once

#include <QPointer>

class FrmBetu;
struct GridMode;
struct Services;
struct SheetGeometry;
struct TestState;

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
    void load(FrmBetu& window);
    void setupSheet15();
    void setupSheet11();
    void setupSheet(const GridMode& mode);
    static void applyScale(FrmBetu& window, const SheetGeometry& geometry);
    void showInFront(FrmBetu& window);

    TestState& m_state;
    Services& m_services;
    QPointer<FrmBetu> m_window;
};
