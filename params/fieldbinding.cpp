#include "params/fieldbinding.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

namespace enkin {

void bindField(QLineEdit *edit, RunInputs &inputs, RunInput input)
{
    edit->setText(QString::fromStdString(inputs.get(input)));
    // Every change of the text, however it is made (typing, a paste, code, an assistive tool
    // through the accessibility interface), reaches the store; the store ignores a text it holds.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [&inputs, input](const QString &text) {
        inputs.set(input, text.toStdString());
    });

    QPointer<QLineEdit> guard(edit);
    const RunInputs::ListenerId id =
        inputs.subscribe([guard, input](RunInput changed, const std::string &text) {
            if (!guard || changed != input)
                return;
            const QString shown = QString::fromStdString(text);
            if (guard->text() != shown)
                guard->setText(shown);
        });
    // The store outlives every window bound to it.
    QObject::connect(edit, &QObject::destroyed, [&inputs, id] { inputs.unsubscribe(id); });
}

} // namespace enkin
