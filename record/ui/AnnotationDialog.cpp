#include "record/ui/AnnotationDialog.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <string_view>

#include "record/EventList.h"

namespace hx {

namespace {

QLineEdit* field(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

CAnnotation::CAnnotation(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Event Information"));
    setModal(false);
    setObjectName(QStringLiteral("eventInformation"));

    number_ = field(this);
    number_->setMaxLength(4);
    ping_ = field(this);
    latitude_ = field(this);
    longitude_ = field(this);
    date_ = field(this);
    time_ = field(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Event Number:"), number_);
    form->addRow(QStringLiteral("Ping Number:"), ping_);
    form->addRow(QStringLiteral("Latitude:"), latitude_);
    form->addRow(QStringLiteral("Longitude:"), longitude_);
    form->addRow(QStringLiteral("Date:"), date_);
    form->addRow(QStringLiteral("Time:"), time_);

    auto* box = new QGroupBox(QStringLiteral("Annotation"), this);
    annotation_ = new QPlainTextEdit(box);
    annotation_->setTabChangesFocus(true);
    annotation_->setMinimumHeight(90);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(annotation_);
    // The annotation is one line of the event file and at most 512 characters.
    connect(annotation_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = annotation_->toPlainText();
        QString cleaned = text;
        cleaned.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        if (cleaned.size() > static_cast<qsizetype>(kMaxAnnotationChars)) cleaned.truncate(kMaxAnnotationChars);
        if (cleaned != text) {
            const QSignalBlocker block(annotation_);
            annotation_->setPlainText(cleaned);
            annotation_->moveCursor(QTextCursor::End);
        }
    });

    auto* row = new QHBoxLayout;
    const std::pair<const char*, void (CAnnotation::*)()> buttons[] = {
        {"OK", &CAnnotation::okPressed},       {"Cancel", &CAnnotation::cancelPressed},
        {"NEXT", &CAnnotation::nextPressed},   {"PREV", &CAnnotation::prevPressed},
        {"DELETE", &CAnnotation::deletePressed}, {"EDIT", &CAnnotation::editPressed},
    };
    for (const auto& [text, signal] : buttons) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, signal);
        row->addWidget(b);
        buttons_.append(b);
        if (std::string_view(text) != "OK" && std::string_view(text) != "Cancel") reviewButtons_.append(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(box);
    layout->addLayout(row);
    setMode(Mode::Closed);
}

QPushButton* CAnnotation::button(const QString& text) const {
    for (QPushButton* b : buttons_)
        if (b->text() == text) return b;
    return nullptr;
}

QString CAnnotation::numberText() const { return number_->text(); }

QString CAnnotation::annotationText() const { return annotation_->toPlainText(); }

void CAnnotation::setAccelerators(const QList<QAction*>& actions) {
    for (QAction* a : accelerators_) removeAction(a);
    accelerators_ = actions;
    if (mode_ != Mode::Input) addActions(accelerators_);
}

void CAnnotation::fill(const Fields& f) {
    number_->setText(f.number);
    ping_->setText(f.ping);
    latitude_->setText(f.latitude);
    longitude_->setText(f.longitude);
    date_->setText(f.date);
    time_->setText(f.time);
    const QSignalBlocker block(annotation_);
    annotation_->setPlainText(f.annotation);
}

void CAnnotation::setMode(Mode mode) {
    mode_ = mode;
    // Typing in the dialog must not run the main window's keys.
    for (QAction* a : accelerators_) removeAction(a);
    if (mode != Mode::Input) addActions(accelerators_);
    for (QPushButton* b : reviewButtons_) b->setVisible(mode == Mode::Review);
}

void CAnnotation::showInput(const Fields& fields, bool editing) {
    fill(fields);
    setMode(Mode::Input);
    number_->setReadOnly(editing);
    annotation_->setReadOnly(false);
    show();
    raise();
    activateWindow();
    annotation_->setFocus();
    annotation_->moveCursor(QTextCursor::End);
}

void CAnnotation::showReview(const Fields& fields) {
    fill(fields);
    setMode(Mode::Review);
    number_->setReadOnly(true);
    annotation_->setReadOnly(true);
    show();
    raise();
}

void CAnnotation::closeDialog() {
    setMode(Mode::Closed);
    hide();
}

void CAnnotation::reject() { emit cancelPressed(); }

}  // namespace hx
