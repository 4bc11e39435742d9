#pragma once
// A user doing random things with the mouse, the keys and the dialogs of the real view: the long random
// runs of the GUI tests are made of these actions.
#include <functional>
#include <random>

#include "ui_support.h"

namespace novra::ui::testing {

class RandomUser {
  public:
    enum Action { Place, Token, Drag, Paste, Remove, Align, Dialog, Arc, DeleteTool, ClearAll, Zoom };

    RandomUser(Fixture& f, unsigned seed) : f_(f), rng_(seed) {}
    // Does the action on objects chosen at random; says what it did, "" when it found nothing to act on.
    QString act(Action a);
    // Called after every move of a drag, while the button is still down.
    std::function<void()> betweenMoves;

    int any(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    // An object of the kind (0: any), or 0 when there is none.
    int pick(int kind = 0);
    // An object of the kind drawn at its own centre well inside the window, or 0.
    int shown(int kind = 0);
    // A client point well inside the window.
    QPoint somewhere();

  private:
    Fixture& f_;
    std::mt19937 rng_;
};

}  // namespace novra::ui::testing
