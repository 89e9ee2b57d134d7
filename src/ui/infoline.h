#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;
class ShapeRect;

// The info line at the bottom of a screen: a blue bar (shpInfo) carrying one line of white
// text (panInfo). The pointer over a command shows that command's hint; the pointer over the
// background clears it. The design-time text stays until the mouse first moves.
class InfoLine : public QObject {
    Q_OBJECT
public:
    // barGeometry is the bar's place in parent; the text sits inside it.
    InfoLine(QWidget* parent, const QRect& barGeometry, const QString& designText);

    // The hint shown while the pointer is over control.
    void setHint(QWidget* control, const QString& hint);
    // Moving the pointer over these (window, container, the bar, large shapes) clears the hint.
    void addClearer(QWidget* background);

    QString text() const;
    QString hintFor(const QWidget* control) const { return m_hints.value(control); }
    QLabel* label() const { return m_text; }
    ShapeRect* bar() const { return m_bar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ShapeRect* m_bar;
    QLabel* m_text;
    QHash<const QWidget*, QString> m_hints;
};
