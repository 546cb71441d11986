#pragma once

#include <QWidget>

class QTextBrowser;

namespace rk7 {

// The help pages, shown in a window of their own beside the main window.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    // The topic of a command id; the contents when the id has no topic of its own.
    void ShowTopic(int commandId);
    QTextBrowser* Browser() const { return m_browser; }

    // The page and anchor for a command id, e.g. "qrc:/help/files.html#cmd6800".
    static QString TopicUrl(int commandId);

private:
    void Present();
    QTextBrowser* m_browser;
};

} // namespace rk7
