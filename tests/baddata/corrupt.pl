#!/usr/bin/perl
# Writes a damaged copy of one data file (a BMP or a WAV of Data/) for the bad-data runs.
#
#   corrupt.pl KIND IN OUT
# Kinds the game must refuse:
#   truncated  the first half of the file
#   header     format fields garbled: 13 bits per pixel and an unknown compression (BMP), format
#              tag 0x55 and no channels (WAV); sizes and magic left as they were
#   huge       sizes far past the file: 40000 x 40000 pixels (BMP), RIFF and data chunks of
#              almost 4 GiB (WAV)
#   random     every byte replaced by random bytes, the length kept
# Kinds the game loads, odd as they are:
#   noise      the header kept, every pixel or sample byte after it random
#   tiny       a valid file of one pixel (24-bit BMP) or one sample frame (16-bit mono WAV)
# Random bytes come from a fixed seed, so every run writes the same files.
use strict;
use warnings;

my ($kind, $in, $out) = @ARGV;
die "usage: corrupt.pl KIND IN OUT\n" unless defined $out;
open(my $source, '<:raw', $in) or die "corrupt.pl: $in: $!\n";
my $bytes = do { local $/; <$source> };
close $source;

srand(20240611);
sub random_bytes { return join '', map { chr(int(rand(256))) } 1 .. $_[0]; }

my $is_bmp = substr($bytes, 0, 2) eq 'BM';
# Where the pixels or samples start.
my $body;
if ($is_bmp) {
  $body = unpack('V', substr($bytes, 10, 4));
} else {
  my $data = index($bytes, 'data', 12);
  die "corrupt.pl: $in has no data chunk\n" if $data < 0;
  $body = $data + 8;
}

if ($kind eq 'truncated') {
  $bytes = substr($bytes, 0, int(length($bytes) / 2));
} elsif ($kind eq 'header') {
  if ($is_bmp) {
    substr($bytes, 28, 6) = pack('vV', 13, 77);
  } else {
    substr($bytes, 20, 4) = pack('vv', 0x55, 0);
  }
} elsif ($kind eq 'huge') {
  if ($is_bmp) {
    substr($bytes, 2, 4) = pack('V', 0xFFFFFFFF);
    substr($bytes, 18, 8) = pack('VV', 40000, 40000);
  } else {
    substr($bytes, 4, 4) = pack('V', 0xFFFFFFFF);
    substr($bytes, $body - 4, 4) = pack('V', 0xFFFFFFF0);
  }
} elsif ($kind eq 'random') {
  $bytes = random_bytes(length($bytes));
} elsif ($kind eq 'noise') {
  substr($bytes, $body) = random_bytes(length($bytes) - $body);
} elsif ($kind eq 'tiny') {
  if ($is_bmp) {
    # One blue-grey pixel, its row padded to four bytes.
    $bytes = 'BM' . pack('VvvV', 58, 0, 0, 54) . pack('VllvvVVllVV', 40, 1, 1, 1, 24, 0, 4, 2835,
      2835, 0, 0) . "\x80\x40\x20\x00";
  } else {
    $bytes = 'RIFF' . pack('V', 38) . 'WAVE' . 'fmt ' . pack('VvvVVvv', 16, 1, 1, 44100, 88200,
      2, 16) . 'data' . pack('V', 2) . pack('v', 1000);
  }
} else {
  die "corrupt.pl: unknown kind $kind\n";
}

open(my $target, '>:raw', $out) or die "corrupt.pl: $out: $!\n";
print $target $bytes;
close $target;
