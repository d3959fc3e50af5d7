#!/usr/bin/perl
# Reads a table written by mkcatalog with an independent dBASE reader
# (Debian's libdbd-xbase-perl): every record, deleted ones too, must be found
# through the RC_CLE1 tag of the .MDX under its own key, and walking the tag
# must give every record once, in ascending key order.
# Usage: xbase_check.pl TABLE.DBF [NAME...]  (each NAME must have a live row)
use strict;
use warnings;
use XBase;
use XBase::Index;

my ($path, @names) = @ARGV;
die "usage: $0 TABLE.DBF [NAME...]\n" unless defined $path;
(my $mdx = $path) =~ s/\.DBF$/.MDX/i;

my $table = XBase->new(name => $path, ignorememo => 1) or die XBase->errstr;
my $index = XBase::Index->new($mdx, tag => 'RC_CLE1') or die XBase::Index->errstr;
my $last = $table->last_record;
my %live;
my $failures = 0;

for my $n (0 .. $last) {
    my ($deleted, $letter, $part1, $part2, $name) =
        $table->get_record($n, qw(LANG PART1 PART2 NAME)) or die $table->errstr;
    my $key = sprintf('%-1s%-8s%-8s%-32s', $letter, $part1, $part2, $name);
    $live{$name} = 1 unless $deleted;
    $index->prepare_select_eq($key);
    my $found = 0;
    while (my ($k, $recno) = $index->fetch) {
        last if $k ne $key;
        $found = 1 if $recno == $n + 1;
    }
    unless ($found) {
        print STDERR "record ", $n + 1, " ($key) not found through the index\n";
        $failures++;
    }
}

$index->prepare_select;
my ($count, $previous) = (0, '');
while (my ($k, $recno) = $index->fetch) {
    $count++;
    if ($k lt $previous) { print STDERR "keys out of order at $k\n"; $failures++; }
    $previous = $k;
}
if ($count != $last + 1) {
    print STDERR "the tag holds $count entries for ", $last + 1, " records\n";
    $failures++;
}
for my $name (@names) {
    next if $live{uc $name};
    print STDERR "no live row for $name\n";
    $failures++;
}
die "$failures problem(s) in $path\n" if $failures;
print "$path: ", $last + 1, " records, all found through RC_CLE1\n";
