#pragma once
#include <QString>

#include <optional>

namespace fits {

class FitTables;

// How a tolerance zone gets its fundamental deviation: which column of its deviation table holds
// it, and whether that is the zone's lower or upper limit (the other one is IT away). Js and js
// lie symmetric about zero and read no deviation table.
struct ZoneRule {
    enum Kind { None, Symmetric, FromLower, FromUpper };
    Kind kind = None;
    QString column;
};

// The rules of ISO 286 by letter and grade: A..H read EI, J, K..N and P..Z read ES from the
// grade's column; a..h read es, j, k and m..z read ei. Only the letters of the letter boxes name
// a zone: any other text (L, "AB", "JS") has no rule and reads no column.
ZoneRule holeRule(const QString &letter, int grade);
ZoneRule shaftRule(const QString &letter, int grade);

// The limits of one zone in millimetres, kept in whole hundredths of a micrometre: every table
// value is a multiple of 0.05 µm, so this holds them exactly and drops the noise of the sums.
struct ZoneLimits {
    enum Status {
        NotComputed, // the letter names no zone
        Undefined,   // the standard defines no such zone at this size (an empty cell, or a rule
                     // of the standard that the tables cannot hold: see standardzones.h)
        Computed
    };
    Status status = NotComputed;
    double upper = 0;
    double lower = 0;
};

// The deviation text shown for a limit: "+0.013", "0", "-0.011", "5E-5".
QString formatDeviation(double value);

// The two texts shown for a zone (upper, lower). The size text is read again: while it is not a
// size the calculator computes for, and for a zone not computed, both are empty.
struct ZoneTexts {
    QString upper;
    QString lower;
};
ZoneTexts zoneTexts(const QString &sizeText, const ZoneLimits &zone);

// How a pair of computed zones fits: clearance when EI >= es, otherwise interference when
// ES <= ei, otherwise transition; None unless both zones are computed.
enum class FitKind { None, Clearance, Transition, Interference };
FitKind fitKind(const ZoneLimits &hole, const ZoneLimits &shaft);

// "间隙配合", "过渡配合" or "过盈配合" by fitKind; empty unless both zones are computed.
QString fitType(const ZoneLimits &hole, const ZoneLimits &shaft);

// A limit in millimetres as whole hundredths of a micrometre, the exact form of every table value.
qint64 hundredthsOfMicrometre(double millimetres);

// Computes the zones of a basic size from the tolerance tables.
class FitCalculator {
public:
    explicit FitCalculator(FitTables &tables) : m_tables(tables) {}

    ZoneLimits hole(float basicSize, const QString &letter, int grade);
    ZoneLimits shaft(float basicSize, const QString &letter, int grade);

private:
    ZoneLimits zone(float basicSize, const ZoneRule &rule, int grade, bool isHole);

    FitTables &m_tables;
};

} // namespace fits
