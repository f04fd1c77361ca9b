#pragma once

#include <QWidget>

class TSingleInstance;

// Scaffold of the main window: it answers the instance messages and runs the exit sequence.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    TMainForm(TSingleInstance& instance, bool showAtStart);

    // Shows the window and brings it to the front (another start of the program asked).
    void ActivateFromOutside();
    // Closes for good, whatever minimize-on-close says (the exit message, the session's end).
    void CloseForGood();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RunExitSequence();

    bool FExiting = false;
};
