#include "crowns/edit_history.h"

namespace lumera {

bool EditHistory::Record(const TTreeMatrix& before, const TTreeMatrix& after)
{
    Step step;
    for (std::size_t i = 0; i < after.Values.size(); ++i)
        if (before.Values[i] != after.Values[i]) step.Changes.push_back({i, before.Values[i], after.Values[i]});
    if (step.Changes.empty()) return false;
    step.Serial = ++serials_;
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    if (steps_.size() > limit_) {
        first_ = steps_.front().Serial;
        steps_.pop_front();
    }
    done_ = steps_.size();
    return true;
}

bool EditHistory::Undo(TTreeMatrix& trees)
{
    if (!CanUndo()) return false;
    for (const Change& c : steps_[--done_].Changes) trees.Values[c.Pixel] = c.Before;
    return true;
}

bool EditHistory::Redo(TTreeMatrix& trees)
{
    if (!CanRedo()) return false;
    for (const Change& c : steps_[done_++].Changes) trees.Values[c.Pixel] = c.After;
    return true;
}

void EditHistory::Clear()
{
    steps_.clear();
    done_ = 0;
    first_ = ++serials_;
}

}  // namespace lumera
