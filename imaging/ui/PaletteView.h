// The palette editor (CPaletteView) and its frame (CPaletteChildFrm): three
// channel curves with draggable points over the 256 intensities, the
// channels' strips and the resulting palette, the channel and reset buttons,
// "Apply" (the sidescan views draw with the edited palette), "Save", "Load"
// and "X". At every repaint it hands its palette and curves to the document
// and says so, so that while "Apply" is ticked the views follow the edit at
// once. The program answers its requests (files, closing, the frame's
// place). User-interface thread only.
#pragma once

#include <QString>
#include <QWidget>

#include "imaging/ColourTables.h"
#include "imaging/PaletteCurves.h"
#include "imaging/PaletteFile.h"

class QAbstractButton;
class QCheckBox;
class QRadioButton;

namespace hx {

class CPaletteView : public QWidget {
    Q_OBJECT
public:
    explicit CPaletteView(PaletteState& palette, QWidget* parent = nullptr);

    // The curves the document holds when they came from a palette file,
    // else curves that follow the selected table (which stays the palette).
    void startUp();
    // A palette file loaded into the document: the editor takes its curves
    // and palette. A file that could not be read: the curves follow the
    // selected table, which becomes the custom palette.
    void applyLoad(PaletteLoad result);
    // The "Apply" box follows the document.
    void syncApply();

    const PaletteCurves& curves() const { return curves_; }
    PaletteCurves& curves() { return curves_; }
    QCheckBox* applyBox() const { return apply_; }
    QAbstractButton* channelButton(int channel) const;
    QAbstractButton* resetButton(int channel) const;
    QAbstractButton* saveButton() const { return save_; }
    QAbstractButton* loadButton() const { return load_; }
    QAbstractButton* closeButton() const { return close_; }

    QSize sizeHint() const override;

signals:
    // After every repaint: the document holds the editor's palette and curves.
    void published();
    void saveRequested();
    void loadRequested();
    void closeRequested();
    // A press outside the graph and strips dragged the frame by this much.
    void frameDragged(QPoint delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void publish();

    PaletteState& palette_;
    PaletteCurves curves_;
    QRadioButton* channels_[kCurveChannels] = {};
    QAbstractButton* resets_[kCurveChannels] = {};
    QCheckBox* apply_ = nullptr;
    QAbstractButton* close_ = nullptr;
    QAbstractButton* save_ = nullptr;
    QAbstractButton* load_ = nullptr;
    bool clickInGraph_ = false;
    bool movingFrame_ = false;
    QPoint moveFrom_;
};

// The editor's own window; "X" and "Customize" hide and show it.
class CPaletteChildFrm : public QWidget {
    Q_OBJECT
public:
    CPaletteChildFrm(PaletteState& palette, QWidget* parent = nullptr);
    CPaletteView& view() const { return *view_; }

private:
    CPaletteView* view_ = nullptr;
};

}  // namespace hx
