#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace rk7 {

// The help pages, shown in a window of their own beside the main window.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Makes the window belong to owner, a modal form (or to nobody when owner is null), and
    // back to nobody when that form closes. A window of its own, wherever it belongs.
    void setOwner(QWidget* owner);

    void showContents();
    // Shows a page of the help, e.g. "qrc:/help/files.html#open-native-file".
    void showPage(const QString& url);
    QTextBrowser* browser() const { return m_browser; }

private:
    void present();
    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
    QPushButton* m_contents;
    QPointer<QWidget> m_owner;
};

} // namespace rk7
