#pragma once
// The message bar: a dockable bar whose only control is the message log. The log keeps its text with
// CR LF line ends; every line that comes in has its line ends normalised first.
#include <QDockWidget>
#include <QString>

class QPlainTextEdit;

namespace novra::ui {

class CMessageBar : public QDockWidget {
    Q_OBJECT
  public:
    explicit CMessageBar(QWidget* parent);

    // Appends a message: carriage returns are dropped and each line feed becomes CR LF.
    void append(const QString& message);
    void clearLog();
    // The whole log text, CR LF line ends.
    const QString& logText() const { return text_; }
    QPlainTextEdit* control() const { return edit_; }

    static constexpr int kBarHeight = 56;
    static constexpr int kMargin = 3;
    // The height the bar opens with: the lines of a compile show without scrolling.
    static constexpr int kOpeningLines = 6;
    int openingHeight() const;

  private:
    QString text_;
    QPlainTextEdit* edit_;
};

// The line-end rule of the log on its own.
QString normalizeLogLineEnds(const QString& message);

}  // namespace novra::ui
