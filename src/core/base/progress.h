#pragma once

#include <QtGlobal>

#include <functional>

// How a long piece of work (a pass over the whole registry, the export file) tells how far it
// has got and learns whether to go on: it calls the function now and then with the units done
// and the units in all; a false answer stops the work, which then leaves every file as it was.
using WorkProgress = std::function<bool(qint64 done, qint64 total)>;

// Units of work between two calls: often enough that a stop is felt at once, seldom enough that
// asking costs nothing beside the work.
constexpr qint64 kProgressStep = 256;
