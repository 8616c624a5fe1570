#pragma once
#include <cstddef>
#include <deque>
#include <vector>

#include "crowns/tree_matrix.h"

namespace lumera {

// Undo and redo of tree matrix edits. A step keeps only the pixels it
// changed, so a long history of small edits costs little memory.
class EditHistory {
public:
    explicit EditHistory(std::size_t steps = 200) : limit_(steps) {}

    // Records the change from `before` to `after` (matrices of one size) as a
    // step, dropping the steps that could be redone and, past the limit, the
    // oldest. A change of nothing is no step: false.
    bool Record(const TTreeMatrix& before, const TTreeMatrix& after);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // Turns the matrix back by one step, or forward again; false when there is none.
    bool Undo(TTreeMatrix& trees);
    bool Redo(TTreeMatrix& trees);

    void Clear();

    // Names the matrix the applied steps lead to: undoing back to a saved
    // matrix gives the number it had when it was saved.
    std::size_t State() const { return done_ > 0 ? steps_[done_ - 1].Serial : first_; }

private:
    struct Change {
        std::size_t Pixel;
        int32_t Before;
        int32_t After;
    };
    struct Step {
        std::vector<Change> Changes;
        std::size_t Serial = 0;
    };

    std::size_t limit_;
    std::deque<Step> steps_;
    std::size_t done_ = 0;   // steps_[0 .. done_) are applied
    std::size_t first_ = 0;  // the state before steps_[0]
    std::size_t serials_ = 0;
};

}  // namespace lumera
