#include "DependencyCheck.h"

#include <apt-pkg/deblistparser.h>
#include <apt-pkg/debversion.h>
#include <apt-pkg/pkgcache.h>

namespace sim {

namespace {

struct Relation {
    std::string name;
    std::string version;
    unsigned int op = 0; // pkgCache::Dep compare operator, without the "or" flag
    bool orNext = false;
};

const char* opText(unsigned int op) {
    switch (op) {
    case pkgCache::Dep::LessEq:
        return "<=";
    case pkgCache::Dep::GreaterEq:
        return ">=";
    case pkgCache::Dep::Less:
        return "<<";
    case pkgCache::Dep::Greater:
        return ">>";
    case pkgCache::Dep::Equals:
        return "=";
    case pkgCache::Dep::NotEquals:
        return "!=";
    default:
        return "";
    }
}

std::string describe(const Relation& relation) {
    return relation.op == pkgCache::Dep::NoOp
               ? relation.name
               : relation.name + " (" + opText(relation.op) + " " + relation.version + ")";
}

// Every relation of a field in order; nothing when the field does not parse.
std::optional<std::vector<Relation>> parse(const std::string& field) {
    std::vector<Relation> relations;
    const char* start = field.data();
    const char* const stop = field.data() + field.size();
    while (start != stop) {
        Relation relation;
        unsigned int op = 0;
        start = debListParser::ParseDepends(start, stop, relation.name, relation.version, op);
        if (!start)
            return std::nullopt;
        if (relation.name.empty())
            continue;
        relation.op = op & 0x0F;
        relation.orNext = (op & pkgCache::Dep::Or) != 0;
        relations.push_back(std::move(relation));
    }
    return relations;
}

bool satisfies(const Relation& relation, const DependencyCheck::Versions& present) {
    auto found = present.find(relation.name);
    if (found == present.end())
        return false;
    return relation.op == pkgCache::Dep::NoOp ||
           debVS.CheckDep(found->second.c_str(), static_cast<int>(relation.op), relation.version.c_str());
}

} // namespace

std::optional<std::string> DependencyCheck::unmetDependency(const std::string& depends,
                                                            const Versions& present) {
    auto relations = parse(depends);
    if (!relations)
        return "\"" + depends + "\", which does not read as a list of packages";
    std::vector<Relation> group;
    for (const Relation& relation : *relations) {
        group.push_back(relation);
        if (relation.orNext)
            continue;
        bool met = false;
        std::string named;
        for (const Relation& alternative : group) {
            met = met || satisfies(alternative, present);
            named += (named.empty() ? "" : " | ") + describe(alternative);
        }
        if (!met) {
            if (group.size() > 1)
                return named + ", none of which is installed";
            auto installed = present.find(group.front().name);
            return installed == present.end()
                       ? named + ", which is not installed"
                       : named + ", but version " + installed->second + " is installed";
        }
        group.clear();
    }
    return std::nullopt;
}

std::optional<std::string> DependencyCheck::conflict(const std::string& conflicts, const Versions& present,
                                                     const std::string& self) {
    auto relations = parse(conflicts);
    if (!relations)
        return "\"" + conflicts + "\", which does not read as a list of packages";
    for (const Relation& relation : *relations)
        if (relation.name != self && satisfies(relation, present))
            return relation.name + " " + present.at(relation.name);
    return std::nullopt;
}

} // namespace sim
