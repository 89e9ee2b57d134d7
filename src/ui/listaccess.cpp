#include "ui/listaccess.h"

#include "ui/storedlines.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QItemSelectionModel>
#include <QListView>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QPointer>

namespace {

class ListAccessible;

// One line of a list.
class LineAccessible : public QAccessibleInterface {
public:
    LineAccessible(QListView* list, const QModelIndex& index) : m_list(list), m_index(index) {}

    bool isValid() const override { return m_list && m_index.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_list ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return QString();
        // The lines are fixed-width columns: a reader hears the words, not the padding.
        return m_index.data(Qt::DisplayRole).toString().simplified();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect r = m_list->visualRect(m_index);
        return QRect(m_list->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        st.selectable = true;
        st.focusable = true;
        if (QItemSelectionModel* selection = m_list->selectionModel()) {
            st.selected = selection->isSelected(m_index);
            st.focused = m_list->hasFocus() && selection->currentIndex() == m_index;
        }
        if (!m_list->isVisible()) {
            st.invisible = true;
        } else if (!m_list->viewport()->rect().intersects(m_list->visualRect(m_index))) {
            st.offscreen = true;
        }
        return st;
    }

    int row() const { return m_index.row(); }
    const QListView* list() const { return m_list; }

private:
    QPointer<QListView> m_list;
    QPersistentModelIndex m_index;
};

// The list: its lines are its children, in the order of the list.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QListView* list) : QAccessibleWidget(list, QAccessible::List) {}

    ~ListAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_lines))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->model() ? list()->model()->rowCount() : 0; }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // A line keeps its interface while it stays at its place; a list filled anew gets new
        // ones.
        if (const auto found = m_lines.constFind(index); found != m_lines.cend()) {
            auto* line = static_cast<LineAccessible*>(QAccessible::accessibleInterface(*found));
            if (line && line->isValid() && line->row() == index)
                return line;
            QAccessible::deleteAccessibleInterface(*found);
            m_lines.remove(index);
        }
        auto* line = new LineAccessible(list(), list()->model()->index(index, 0));
        m_lines.insert(index, QAccessible::registerAccessibleInterface(line));
        return line;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || child->role() != QAccessible::ListItem)
            return -1;
        const auto* line = static_cast<const LineAccessible*>(child);
        return line->list() == list() && line->isValid() ? line->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = list()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = list()->indexAt(at);
        return index.isValid() ? child(index.row()) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (!list()->hasFocus())
            return nullptr;
        const int row = list()->currentIndex().row();
        return row >= 0 ? child(row) : nullptr;
    }

private:
    QListView* list() const { return static_cast<QListView*>(widget()); }

    mutable QHash<int, QAccessible::Id> m_lines;
};

// Whether object is a list of the screens: a list widget, or a view over compact lines.
bool isLineList(const QObject* object)
{
    if (qobject_cast<const QListWidget*>(object))
        return true;
    const auto* view = qobject_cast<const QListView*>(object);
    return view && dynamic_cast<const StoredLinesModel*>(view->model());
}

QAccessibleInterface* listFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QListWidget") && object && object->isWidgetType())
        return new ListAccessible(static_cast<QListView*>(object));
    // A view over compact lines (the long lists of cards); Qt's other list views (a file
    // dialog's, a drop-down box's) keep what Qt tells of them.
    if (className == QLatin1String("QListView") && isLineList(object))
        return new ListAccessible(static_cast<QListView*>(object));
    return nullptr;
}

} // namespace

void installListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(listFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

int accessibleLineOf(const QAbstractItemView* view, const QModelIndex& index)
{
    if (!isLineList(view) || !index.isValid() || index.model() != view->model())
        return -1;
    return index.row();
}
