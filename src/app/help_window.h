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
    void SetOwner(QWidget* owner);

    void ShowContents();
    // The topic of a command id; the contents when the id has no topic of its own.
    void ShowTopic(int commandId);
    QTextBrowser* Browser() const { return m_browser; }

    // The page and anchor for a command id, e.g. "qrc:/help/files.html#cmd6800".
    static QString TopicUrl(int commandId);

private:
    void Present();
    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
    QPushButton* m_contents;
    QPointer<QWidget> m_owner;
};

} // namespace rk7
