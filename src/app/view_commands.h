#pragma once

#include <QObject>
#include <QString>

namespace rk7 {

class MainWindow;
class RosterDocument;

// The commands about what the view shows: one of the three tables (or none), the highlight of
// the cells the last step changed, and the copy of the table shown for a spreadsheet.
class ViewCommands : public QObject {
    Q_OBJECT

public:
    // settingsPath keeps whether changes are highlighted; empty keeps it only while the program
    // runs. Changes are highlighted unless the user turned it off.
    ViewCommands(const RosterDocument& document, MainWindow& window, QString settingsPath,
                 QObject* parent = nullptr);

    bool highlighting() const;
    void setHighlighting(bool on);
    // Puts the table shown on the clipboard; nothing when no table is shown.
    void copyView();

private:
    void showChanges();

    const RosterDocument& m_document;
    MainWindow& m_window;
    QString m_settingsPath;
};

} // namespace rk7
