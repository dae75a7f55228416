#include "windowconventions.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QSet>
#include <QShortcut>

namespace app {

namespace {

bool placedByHand(const QLabel *label)
{
    const QWidget *parent = label->parentWidget();
    return parent && (!parent->layout() || parent->layout()->indexOf(label) < 0);
}

void fitLabels(QWidget *parent)
{
    for (QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (!placedByHand(label) || label->text().isEmpty())
            continue;
        const QSize needed = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width()))
                                               : label->sizeHint();
        const QSize size = label->size().expandedTo(needed);
        if (size != label->size())
            label->resize(size);
    }
}

// Refits the labels of one parent when Qt asks it to lay out again (a label's text or font
// changed) or its font changed.
class LabelFitter : public QObject {
public:
    explicit LabelFitter(QWidget *parent) : QObject(parent)
    {
        parent->installEventFilter(this);
        fitLabels(parent);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::LayoutRequest:
        case QEvent::FontChange:
        case QEvent::Show: fitLabels(static_cast<QWidget *>(watched)); break;
        default: break;
        }
        return false;
    }
};

// The nearest Qt class of an object's class.
const char *qtClassOf(const QObject *object)
{
    const QMetaObject *mo = object->metaObject();
    while (mo->superClass() && mo->className()[0] != 'Q')
        mo = mo->superClass();
    return mo->className();
}

QAccessibleInterface *windowRole(const QString &key, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    // Asked first with the object's own class name; only plain widgets shown as windows.
    if (!widget || key != QLatin1String(object->metaObject()->className()) || widget->windowType() != Qt::Window
        || qstrcmp(qtClassOf(object), "QWidget") != 0)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void closeOnEscape(QWidget *window)
{
    auto *escape = new QShortcut(QKeySequence::Cancel, window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void keepLabelsWhole(QWidget *window)
{
    QSet<QWidget *> parents;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (placedByHand(label))
            parents.insert(label->parentWidget());
    for (QWidget *parent : std::as_const(parents))
        new LabelFitter(parent);
}

void installWindowRoles()
{
    QAccessible::installFactory(windowRole);
}

} // namespace app
