#!/usr/bin/perl
# The script a user might write instead of the converter: every line after the first line holding
# the start marker becomes STX line EOT, with underscores as ETX. perl frame.pl IN > OUT
use strict;
use warnings;

binmode STDOUT;
local $/;    # the whole file at once, as with -0777
open(my $in, '<:raw', $ARGV[0]) or die "$ARGV[0]: $!\n";
my $text = <$in>;
$text =~ s/\A.*?\xABp2[^\n]*\n//s or die "$ARGV[0]: no start marker\n";
$text =~ tr/_/\x03/;
print join('', map { "\x02$_\x04" } grep { $_ ne 'p2' } split /\r?\n/, $text);
