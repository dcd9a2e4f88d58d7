#include "params/fieldbinding.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

namespace enkin {

void bindField(QLineEdit *edit, RunInputs &inputs, RunInput input)
{
    edit->setText(QString::fromStdString(inputs.get(input)));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&inputs, input](const QString &text) {
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
