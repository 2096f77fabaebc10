#pragma once
// The import of an internal directory: the lines read from import files are
// gathered into a tree firm > department > person > line, and saving writes
// the whole tree into the directory with one validity start. Every firm,
// department and person of the tree becomes a new code-table row with a new
// id and an open assignment row; each line number's rows that began before
// the start and are still valid at it end at the start.
#include "internal_directory/directory_import_file.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace kavro {

class Transaction;

class DirectoryImport {
public:
    struct Node {
        QString text;
        Str_firma zaznam;
        Node* rodic = nullptr;
        std::vector<std::unique_ptr<Node>> deti;
        QHash<QString, Node*> podle_klice;  // children by their match key
    };

    DirectoryImport();
    ~DirectoryImport();

    // Enters one split line: each level is found among the children of the
    // level above (a person by surname, first name and title) or added. A line
    // without a number adds no line node.
    void Vloz_item(const Str_firma& radek);

    // The invisible top of the tree; its children are the firms.
    const Node& koren() const { return *m_koren; }
    bool prazdny() const { return m_koren->deti.empty(); }
    int pocetUzlu() const { return m_pocet; }

    // Checks, before anything is written, what saving with the start `od`
    // would do to the directory: every line number must be valid, no number
    // may stand in two departments of the tree, and no holder of a number
    // from `od` on (a row that begins at `od` or later) may remain beside the
    // line's new row: the number would be held twice from then. False with
    // `chyba` naming the first refused line, the number and the other holder.
    bool zkontroluj(Transaction& t, const QString& od, QString* chyba = nullptr);

    // Writes the tree with the validity start `od` ("YYYY-MM-DD hh:mm:ss")
    // into the caller's unit of work, as one operation (zkontroluj() first):
    // on a refusal or a failure nothing
    // of it stays, and `chyba` says in Czech what failed. Fills the ids of the
    // nodes' records.
    bool uloz(Transaction& t, const QString& od, QString* chyba = nullptr);

    static QString otevrenyKonec() { return QStringLiteral("9999-12-31 23:59:59"); }

private:
    Node* najdiNeboPridej(Node* rodic, const QString& klic, const QString& text, const Str_firma& zaznam);
    std::unique_ptr<Node> m_koren;
    int m_pocet = 0;
};

} // namespace kavro
