#pragma once
// The ids of the main menu's items, as the main window builds them and as
// the modules register their windows for them (PrikazyMenu).
namespace kavro::menu {

enum Id : int {
    // "Hovory"
    ImportNew = 1001,             // "Načtení nových" (Ctrl+N)
    ImportPeriod = 1002,          // "Opakované načtení ze souboru od - do"
    ImportFile = 1003,            // "Opakované načtení z vybraného souboru"
    DeleteCalls = 1004,           // "Vymazání z tabulky"
    Retariff = 1006,              // "Opakovaný výpočet pseudotarifu" (Ctrl+T)
    Reidentify = 1007,            // "Opakovaná identifikace účastníka"
    // "Sestavy" > internal directory lists
    ListFirmDeptPerson = 1010,
    ListFirmPersonDept = 1011,
    ListPersonFirmDept = 1012,
    ListFirmDeptExtension = 1013,
    ListWithoutFirm = 1015,
    ListPeopleWithNote = 1016,
    // "Sestavy" > prefixes and subscribers
    PrefixesDomestic = 1019,
    PrefixesInternational = 1020,
    SubscribersDomestic = 1022,
    SubscribersInternational = 1023,
    DiscountedInternational = 1024,
    // "Sestavy" > "Hovory"
    CallBrowser = 1026,           // "&Podle výběru"
    CallFrequency = 1027,
    CallsByImpulses = 1028,
    CallsByDuration = 1029,
    WatchedLines = 1030,
    AllCalls = 1031,
    // "Sestavy" > "Vyúčtování"
    BillingByFirm = 1034,
    BillingByDepartment = 1035,
    BillingByExtension = 1036,
    BillingDetailed = 1037,
    BillingByAccountCode = 1039,
    WrongImpulses = 1040,         // "Oprava chybně oimpulsovaných hovorů"
    // "&Seznamy" > internal directory
    InternalDirectory = 1043,     // "&Údržba"
    UnassignedExtensions = 1044,  // "Identifikace nepřiřazených poboček"
    AssignmentHistory = 1045,     // "Historie přiřazení poboček"
    AssignmentOverlaps = 1046,    // "Otestuj chybné přiřazení poboček"
    InternalImport = 1048,        // "Načtení z externího souboru"
    // "&Seznamy" > external directory
    ExternalDirectory = 1050,     // "&Údržba"
    FrequentSubscribers = 1051,   // "Doplnění často volaných účastníků"
    UnknownPrefixes = 1052,       // "Vyhledání a doplnění neznámých předvoleb"
    DuplicateSubscribers = 1053,  // "Otestování duplicitních záznamů"
    ExternalImport = 1055,        // "Načtení z externího souboru"
    // "Nastavení"
    ZoneAssignment = 1057,        // "&Zařazení do tarifních pásem"
    AccountCodes = 1058,          // "Číselník účtovacích kódů"
    FixedHolidays = 1060,         // "Pevných"
    YearHolidays = 1061,          // "Pro daný rok"
    ZoneImpulsePeriods = 1063,    // "&V tarifním pásmu"
    DiscountedPeriods = 1064,     // "&Zvýhodněně tarifované hovory"
    ImpulsePrices = 1065,         // "&Cen impulsů"
    PseudotariffSettings = 1066,  // "&Parametrů pseudotarifu"
    SiteSettings = 1067,          // "&Místa volání"
    InputDirectories = 1069,      // "&Adresáře se vstupními daty"
    OdbcCache = 1070,             // "Rezervovaná paměť ODBC"
    PasswordAdmin = 1073,
    PasswordEditing = 1074,
    PasswordReading = 1075,
    // "Konec"
    Quit = 1077,
    About = 1079,
};

} // namespace kavro::menu
