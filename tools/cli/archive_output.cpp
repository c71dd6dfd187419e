#include "archive_output.h"

#include <charconv>
#include <map>

#include "archive_query.h"
#include "archive_time.h"
#include "json_text.h"
#include "schema.h"
#include "time_zone.h"

namespace velmora {

namespace {

void appendNumber(std::string& out, double v)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, v);
    out.append(text, end);
}

// Bytes gathered and written in large pieces: a million readings are one call each
// way per page, not per field.
class PagedOutput {
public:
    explicit PagedOutput(std::ostream& out) : out_(out) {}
    ~PagedOutput() { flush(); }
    std::string& text() { return text_; }
    void lineDone()
    {
        if (text_.size() > (1u << 16))
            flush();
    }
    void flush()
    {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

private:
    std::ostream& out_;
    std::string text_;
};

} // namespace

void writeDeployments(const std::vector<Deployment>& deployments, bool json, std::ostream& out)
{
    if (!json) {
        for (const Deployment& d : deployments)
            out << d.id << '\t' << d.serial << '\t' << d.name << '\t' << isoUtc(d.firstUtc) << '\t' << isoUtc(d.lastUtc)
                << '\t' << d.readingCount << '\t' << d.fileName << '\n';
        return;
    }
    out << '[';
    const char* separator = "\n  ";
    for (const Deployment& d : deployments) {
        out << separator << "{\"id\": " << d.id << ", \"serial\": " << jsonString(d.serial)
            << ", \"name\": " << jsonString(d.name) << ", \"first_utc\": \"" << isoUtc(d.firstUtc)
            << "\", \"last_utc\": \"" << isoUtc(d.lastUtc) << "\", \"readings\": " << d.readingCount
            << ", \"file\": " << jsonString(d.fileName) << ", \"sha256\": \"" << d.sha256 << "\", \"added_utc\": \""
            << isoUtc(d.addedUtc) << "\"}";
        separator = ",\n  ";
    }
    out << (deployments.empty() ? "]\n" : "\n]\n");
}

void writeReadings(ArchiveStore& store, const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                   std::int64_t toUtc, bool json, std::ostream& out)
{
    struct Source {
        unsigned columns;
        LocalTimes local;
    };
    std::map<std::int64_t, Source> sources;
    unsigned allColumns = 0;
    for (const Deployment& d : deployments) {
        sources.emplace(d.id, Source{d.columns, LocalTimes(d.zone)});
        allColumns |= d.columns;
    }
    PagedOutput page(out);
    std::string& text = page.text();
    if (json) {
        text += '[';
    } else {
        // The columns of every deployment listed; a deployment without one leaves it empty.
        text += "deployment,time_utc,time_local";
        for (int c = 0; c < kReadingColumns; ++c)
            if (allColumns & (1u << c))
                text.append(",").append(kValueColumns[c]);
        text += '\n';
    }
    bool first = true;
    Source* source = nullptr;
    std::int64_t sourceId = 0;
    forEachReading(store, deployments, fromUtc, toUtc, [&](const StoredReading& r) {
        if (!source || sourceId != r.deployment) {
            source = &sources.at(r.deployment);
            sourceId = r.deployment;
        }
        Source& s = *source;
        const std::string utc = isoUtc(r.timeUtc);
        const std::string local = wallStampText(s.local.wallSeconds(r.timeUtc));
        if (json) {
            text += first ? "\n  " : ",\n  ";
            text += "{\"deployment\": " + std::to_string(r.deployment) + ", \"time_utc\": \"" + utc +
                    "\", \"time_local\": \"" + local + "\", \"values\": [";
            const char* comma = "";
            for (int c = 0; c < kReadingColumns; ++c) {
                if (!(s.columns & (1u << c)))
                    continue;
                text += comma;
                comma = ", ";
                if (r.nulls & (1u << c))
                    text += "null";
                else
                    appendNumber(text, r.values[c]);
            }
            text += "]}";
        } else {
            text.append(std::to_string(r.deployment)).append(1, ',').append(utc).append(1, ',').append(local);
            for (int c = 0; c < kReadingColumns; ++c) {
                if (!(allColumns & (1u << c)))
                    continue;
                text += ',';
                if ((s.columns & (1u << c)) && !(r.nulls & (1u << c)))
                    appendNumber(text, r.values[c]);
            }
            text += '\n';
        }
        first = false;
        page.lineDone();
    });
    if (json)
        text += first ? "]\n" : "\n]\n";
}

} // namespace velmora
