// ArchiveStore's own readingsInOrder: the engines' per-deployment cursors merged.
#include <algorithm>
#include <queue>

#include "archive_store.h"

namespace velmora {

namespace {

// Each deployment's readings come in time order; a merge keeps them so across
// deployments without sorting them all.
class MergedCursor final : public ReadingCursor {
public:
    MergedCursor(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                 std::int64_t toUtc)
    {
        for (const Deployment& d : deployments) {
            if (d.readingCount == 0 || d.lastUtc < fromUtc || d.firstUtc > toUtc)
                continue;
            // Within the deployment's own span: an open end asks for no instant an
            // engine cannot hold.
            cursors_.push_back(store.readings(d.id, std::max(fromUtc, d.firstUtc), std::min(toUtc, d.lastUtc)));
            Head h{{}, cursors_.size() - 1};
            if (cursors_.back()->next(h.reading))
                heads_.push(h);
        }
    }

    bool next(StoredReading& reading) override
    {
        if (heads_.empty())
            return false;
        Head h = heads_.top();
        heads_.pop();
        reading = h.reading;
        if (cursors_[h.source]->next(h.reading))
            heads_.push(h);
        return true;
    }

private:
    struct Head {
        StoredReading reading;
        std::size_t source;
    };
    struct Later {
        bool operator()(const Head& a, const Head& b) const
        {
            return a.reading.timeUtc != b.reading.timeUtc ? a.reading.timeUtc > b.reading.timeUtc
                                                          : a.reading.deployment > b.reading.deployment;
        }
    };
    std::vector<std::unique_ptr<ReadingCursor>> cursors_;
    std::priority_queue<Head, std::vector<Head>, Later> heads_;
};

} // namespace

std::unique_ptr<ReadingCursor> ArchiveStore::readingsInOrder(const std::vector<Deployment>& deployments,
                                                             std::int64_t fromUtc, std::int64_t toUtc)
{
    return std::make_unique<MergedCursor>(*this, deployments, fromUtc, toUtc);
}

} // namespace velmora
