#pragma once
// The "drives" of the directory picker: the mounted file systems a user keeps
// data on. The root, the user's home folder, block devices (disks and
// removable media) and network shares; a network share carries its remote
// source, shown beside its mount point in the picker's drive box.
#include <QByteArray>
#include <QList>
#include <QString>

namespace kavro {

struct Disk {
    QString cesta;          // mount point, without a final "/" (the root is "/")
    QString vzdalenaCesta;  // remote source of a network share, else empty
};

// Reads the lines of a mounts table (/proc/self/mounts format: source, mount
// point, type, ...; blanks in fields escaped as \040). Returns the root first,
// then the home folder `domov` and the mounts worth showing, ordered by path,
// each path once. Nothing is checked on disk.
QList<Disk> rozeberPripojeni(const QByteArray& tabulka, const QString& domov);

// The drives of this machine: /proc/self/mounts and the home folder, keeping
// only mount points that are folders.
QList<Disk> pripojeneDisky();

// Tests point the drive walk at their own mounts table and home folder
// (empty texts restore the machine's own).
void nastavZdrojDisku(const QString& souborPripojeni, const QString& domov);

// Index of the drive that holds `cesta` (the longest mount point that is
// `cesta` or a folder above it); -1 when none does.
int diskCesty(const QList<Disk>& disky, const QString& cesta);

} // namespace kavro
