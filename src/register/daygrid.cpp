#include "register/daygrid.h"

#include "core/base/fonts.h"
#include "core/register/yearmodel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace {

int monthDays(int month)
{
    return MonthTable()[size_t(month - 1)].days;
}

// One look of a day: the number on a rounded box, with a soft light on its upper half.
void paintDay(QPainter& p, const QRect& cell, int day, bool present, bool focused)
{
    const QColor fill = present ? QColor(0xFE, 0x05, 0x10) : QColor(0xD9, 0xD2, 0xF0);
    const QColor border = present ? QColor(0xFE, 0x7A, 0x80) : QColor(Qt::white);
    const QColor number = present ? QColor(Qt::white) : QColor(0x1A, 0x23, 0x7E);

    const QRectF box = QRectF(cell).adjusted(1, 1, -1, -1);
    p.setPen(QPen(border, 2));
    p.setBrush(fill);
    p.drawRoundedRect(box, 3, 3);
    QLinearGradient shine(0, cell.top(), 0, cell.top() + cell.height() / 2.0);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -box.height() / 2), 2, 2);

    p.setPen(number);
    p.drawText(cell, Qt::AlignCenter, QString::number(day));

    if (focused) {
        p.setPen(QPen(QColor(0xFF, 0xA5, 0x00), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
    }
}

class DayGridAccessible;

// One day of the grid for a screen reader: a table cell named with its date, state and text,
// with a press action that opens the day.
class DayCellAccessible : public QAccessibleInterface,
                          public QAccessibleTableCellInterface,
                          public QAccessibleActionInterface {
public:
    DayCellAccessible(DayGrid* grid, int slot) : m_grid(grid), m_slot(slot) {}

    bool isValid() const override { return !m_grid.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!m_grid || t != QAccessible::Name)
            return QString();
        return m_grid->cellName(m_slot);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!m_grid)
            return QRect();
        const QRect cell = DayGrid::cellRect(m_slot);
        return QRect(m_grid->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_grid)
            return s;
        s.focusable = true;
        s.focused = m_grid->hasFocus() && m_grid->currentSlot() == m_slot;
        s.invisible = !m_grid->isVisible();
        s.disabled = !m_grid->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // The table cell.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return slotDate(m_slot).day - 1; }
    int rowIndex() const override { return slotDate(m_slot).month - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // The press action.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        // Queued: the day dialog is modal and must not run inside the reader's request.
        if (name == pressAction() && m_grid) {
            const int slot = m_slot;
            QMetaObject::invokeMethod(
                m_grid.data(),
                [grid = m_grid, slot] {
                    if (grid)
                        grid->activate(slot);
                },
                Qt::QueuedConnection);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<DayGrid> m_grid;
    int m_slot;
};

// The grid for a screen reader: a table of 12 rows (the months) and 31 columns (the days);
// the dates no month has are empty places.
class DayGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit DayGridAccessible(DayGrid* grid)
        : QAccessibleWidget(grid, QAccessible::Table), m_cells(size_t(kDaysPerYear), 0)
    {
    }
    ~DayGridAccessible() override
    {
        for (QAccessible::Id id : m_cells) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    DayGrid* grid() const { return static_cast<DayGrid*>(object()); }

    QAccessibleInterface* cell(int slot) const
    {
        if (slot < 0 || slot >= kDaysPerYear)
            return nullptr;
        QAccessible::Id& id = m_cells[size_t(slot)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new DayCellAccessible(grid(), slot));
        return QAccessible::accessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return kDaysPerYear; }
    QAccessibleInterface* child(int index) const override { return cell(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int slot = 0; slot < kDaysPerYear; ++slot) {
            if (m_cells[size_t(slot)]
                && QAccessible::accessibleInterface(m_cells[size_t(slot)]) == child)
                return slot;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return cell(DayGrid::slotAt(grid()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override
    {
        return grid()->hasFocus() ? cell(grid()->currentSlot()) : nullptr;
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return cell(DaySlot(row + 1, column + 1));
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return QString::number(column + 1); }
    QString rowDescription(int row) const override
    {
        return row >= 0 && row < DayGrid::kRows
                   ? QString::fromLatin1(MonthTable()[size_t(row)].textName)
                   : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return DayGrid::kColumns; }
    int rowCount() const override { return DayGrid::kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::vector<QAccessible::Id> m_cells;
};

QAccessibleInterface* dayGridAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("DayGrid") && object && object->isWidgetType())
        return new DayGridAccessible(static_cast<DayGrid*>(object));
    return nullptr;
}

} // namespace

DayGrid::DayGrid(QWidget* parent, const QPoint& topLeft, const YearModel* year)
    : QWidget(parent), m_year(year)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(dayGridAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setObjectName(QStringLiteral("grdGiorni"));
    setGeometry(QRect(topLeft, QSize(kColumnStep * (kColumns - 1) + kCellWidth,
                                     kRowStep * (kRows - 1) + kCellHeight)));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFont(uiFont(QStringLiteral("Verdana"), 11, true));
    setAccessibleName(QStringLiteral("Calendario delle presenze"));
    // Said once for the whole grid, not for every day.
    setAccessibleDescription(dayHint());
}

QString DayGrid::dayHint()
{
    return QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una presenza.");
}

QRect DayGrid::cellRect(int slot)
{
    const MonthDay date = slotDate(slot);
    if (date.month == 0)
        return QRect();
    return QRect(kColumnStep * (date.day - 1), kRowStep * (date.month - 1), kCellWidth,
                 kCellHeight);
}

int DayGrid::slotAt(const QPoint& pos)
{
    if (pos.x() < 0 || pos.y() < 0)
        return -1;
    const int column = pos.x() / kColumnStep;
    const int row = pos.y() / kRowStep;
    if (column >= kColumns || row >= kRows || pos.x() % kColumnStep >= kCellWidth
        || pos.y() % kRowStep >= kCellHeight)
        return -1;
    return DaySlot(row + 1, column + 1);
}

QString DayGrid::cellName(int slot) const
{
    const MonthDay date = slotDate(slot);
    if (date.month == 0)
        return QString();
    const QString day = QString::number(date.day) + QLatin1Char(' ')
                        + QString::fromLatin1(MonthTable()[size_t(date.month - 1)].textName);
    const QString text = m_year->text(slot);
    if (text.isEmpty())
        return day + QStringLiteral(", assente");
    return day + QStringLiteral(", presente: ") + text;
}

void DayGrid::setCurrentSlot(int slot)
{
    if (slot < 0 || slot >= kDaysPerYear || slot == m_current)
        return;
    const int old = m_current;
    m_current = slot;
    update(cellRect(old));
    update(cellRect(slot));
    announceCurrent();
}

void DayGrid::announceCurrent()
{
    if (!hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(m_current);
    QAccessible::updateAccessibility(&event);
}

void DayGrid::dayChanged(int slot)
{
    update(cellRect(slot));
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        event.setChild(slot);
        QAccessible::updateAccessibility(&event);
    }
}

void DayGrid::yearChanged()
{
    update();
}

void DayGrid::activate(int slot)
{
    if (slot < 0 || slot >= kDaysPerYear)
        return;
    setCurrentSlot(slot);
    emit dayActivated(slot);
}

void DayGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    for (const MonthInfo& month : MonthTable()) {
        for (int day = 1; day <= month.days; ++day) {
            const int slot = month.firstSlot + day - 1;
            const QRect cell = cellRect(slot);
            if (!event->rect().intersects(cell))
                continue;
            paintDay(p, cell, day, m_year->isPresent(slot), hasFocus() && slot == m_current);
        }
    }
}

void DayGrid::keyPressEvent(QKeyEvent* event)
{
    const MonthDay date = slotDate(m_current);
    const auto sameDayIn = [&](int month) {
        return DaySlot(month, qMin(date.day, monthDays(month)));
    };
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        next = qMax(0, m_current - 1);
        break;
    case Qt::Key_Right:
        next = qMin(kDaysPerYear - 1, m_current + 1);
        break;
    case Qt::Key_Up:
        next = sameDayIn(qMax(1, date.month - 1));
        break;
    case Qt::Key_Down:
        next = sameDayIn(qMin(kRows, date.month + 1));
        break;
    case Qt::Key_Home:
        next = DaySlot(date.month, 1);
        break;
    case Qt::Key_End:
        next = DaySlot(date.month, monthDays(date.month));
        break;
    case Qt::Key_PageUp:
        next = sameDayIn(1);
        break;
    case Qt::Key_PageDown:
        next = sameDayIn(kRows);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            activate(m_current);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    setCurrentSlot(next);
}

void DayGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? slotAt(event->position().toPoint()) : -1;
    if (m_pressed >= 0)
        setCurrentSlot(m_pressed);
    QWidget::mousePressEvent(event);
}

void DayGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    if (event->button() == Qt::LeftButton && pressed >= 0
        && slotAt(event->position().toPoint()) == pressed)
        activate(pressed);
    QWidget::mouseReleaseEvent(event);
}

void DayGrid::mouseMoveEvent(QMouseEvent* event)
{
    const bool overDay = slotAt(event->position().toPoint()) >= 0;
    setCursor(overDay ? Qt::PointingHandCursor : Qt::ArrowCursor);
    emit pointerOverDay(overDay);
    // Not handed on to the panel behind, whose movement clears the hint.
    event->accept();
}

void DayGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(cellRect(m_current));
    // After Qt has announced the grid itself, which it does once the focus is in: the day is
    // the last word a reader gets, so it says the day and not only the table.
    QTimer::singleShot(0, this, [this] { announceCurrent(); });
}

void DayGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(cellRect(m_current));
}
