// The "Event Information" dialog (CAnnotation): the event's number, ping,
// position and time texts and the operator's annotation, with "OK",
// "Cancel", and for review "NEXT", "PREV", "DELETE" and "EDIT". It is
// modeless: playback and the link keep running while it is open. Its modes
// are closed, input (a new event, or the annotation of one being edited)
// and review (read-only); in the closed and review modes the main window's
// accelerators work while it has the focus. The buttons only report; the
// program decides.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hx {

class CAnnotation : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Closed = 0, Input = 1, Review = 2 };

    struct Fields {
        QString number;
        QString ping;
        QString latitude;
        QString longitude;
        QString date;
        QString time;
        QString annotation;
    };

    explicit CAnnotation(QWidget* parent = nullptr);

    // Input: editable annotation with the focus; the number is editable for
    // a new event and fixed when editing. The review buttons are hidden.
    void showInput(const Fields& fields, bool editing);
    // Review: every field read-only, the review buttons shown.
    void showReview(const Fields& fields);
    void closeDialog();

    Mode mode() const { return mode_; }
    QString numberText() const;
    QString annotationText() const;

    // The main window's accelerators, active in the closed and review modes.
    void setAccelerators(const QList<QAction*>& actions);

    QLineEdit* numberEdit() const { return number_; }
    QPlainTextEdit* annotationEdit() const { return annotation_; }
    QPushButton* button(const QString& text) const;

signals:
    void okPressed();
    void cancelPressed();
    void nextPressed();
    void prevPressed();
    void deletePressed();
    void editPressed();

protected:
    void reject() override;  // Esc and the window's close button: "Cancel"

private:
    void setMode(Mode mode);
    void fill(const Fields& fields);

    Mode mode_ = Mode::Closed;
    QLineEdit* number_ = nullptr;
    QLineEdit* ping_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLineEdit* time_ = nullptr;
    QPlainTextEdit* annotation_ = nullptr;
    QList<QPushButton*> buttons_;
    QList<QPushButton*> reviewButtons_;
    QList<QAction*> accelerators_;
};

}  // namespace hx
