// The options dialog "D_OPTION": how the sky is drawn (star style, the Moon's outline, the
// landscape, the light of the ground, the glow and the Sun, labels kept apart), how many stars
// the automatic limit shows, the field-of-vision circle and a camera's angle of view, behaviour
// (smooth moves, below the horizon, voice, full-size picture windows), what is shown in daytime,
// the computation (precession, proper motion, refraction, precise positions) and printing. It
// keeps no working copy: "&Apply" and "OK" read the controls into the view state.
#pragma once

#include <cstdint>
#include <vector>

#include "dialogs/modeless_dialog.h"

class QGroupBox;

namespace dialogs {

class OptionDialog : public ModelessDialog {
    Q_OBJECT
  public:
    OptionDialog(shell::Program& program, DialogHost& host);

    // The controls again from the view state.
    void Reload() override;
    void ViewStateChanged() override;

  protected:
    void Apply() override;
    void Ok() override;
    void Help() override;

  private:
    QGroupBox* BuildStars();
    QGroupBox* BuildAutoLimit();
    QGroupBox* BuildGuides();
    QGroupBox* Boxes(const QString& title,
                     std::initializer_list<std::pair<int, const char*>> boxes);

    // The enabling of the guides and of finding below the horizon, and the clamped sizes.
    void Validate();
    // Every value the dialog shows, to notice changes made elsewhere.
    std::vector<int32_t> Values() const;

    std::vector<int32_t> loaded_;
};

}  // namespace dialogs
