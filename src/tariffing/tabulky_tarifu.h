#pragma once
// The directories and tariff tables a tariffing run looks calls up in, read
// into hash tables. A step reads the tables it needs when it first runs.
#include "tariffing/hodnoty_tarifu.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kavro {

class Transaction;

struct TabulkyTarifu {
    Pamet pamet;
    bool adresar = false, tarify = false, prirazeni = false;

    // The directory: zones by state, by state and area; the subscribers.
    std::unordered_map<std::string, Hodnota> staty, mesta;
    std::unordered_set<std::string> ucastnici;
    std::vector<int> delkyStatu, delkyMest, delkyUcastniku;  // longest first

    struct Perioda {
        Hodnota pasmo, typ_dne, perioda;
        Text od_dne, do_dne, od_casu, do_casu;
    };
    std::unordered_map<std::int64_t, std::vector<Perioda>> periody;  // by whole-number zone
    std::vector<Perioda> periodyJine;                               // zones of another kind
    std::unordered_map<std::string, std::vector<Perioda>> slevy;   // by state
    struct Pseudotarif {
        Text typ, cas, od, do_;
    };
    std::vector<Pseudotarif> odecitane;  // the subtracted times ('D')

    struct Prirazeni {
        Text od, do_;
        Hodnota firma, oddeleni;
        Text prijmeni;
    };
    // By extension, in the order of their validity's beginning and end.
    std::unordered_map<std::string, std::vector<Prirazeni>> prirazeniPobocek;

    // Read by every run: the day types and the trunk lines' flags.
    std::unordered_map<std::string, Hodnota> kalendar, linky;

    // Each reads its tables once; false when a query failed (chyba says which).
    bool nactiAdresar(Transaction& tr, std::string& chyba);
    bool nactiTarify(Transaction& tr, std::string& chyba);
    bool nactiPrirazeni(Transaction& tr, std::string& chyba);
    // The calendar and the lines are read again by every run; their texts go
    // to the run's memory.
    bool nactiKalendar(Transaction& tr, Pamet& pamet, std::string& chyba);
    bool nactiLinky(Transaction& tr, Pamet& pamet, std::string& chyba);
};

} // namespace kavro
