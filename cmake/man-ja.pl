# Japanese manual pages for groff (stdin to stdout), which finds no place to break a line of Japanese text: a break
# point between Japanese characters, no blank where a sentence goes on in the next source line,
# and left-aligned lines (blanks stretched between Japanese words read badly).
use utf8;
my $cjk = qr/[\x{3000}-\x{30ff}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]/;
my @lines = <STDIN>;
for my $i (0 .. $#lines) {
    my $line = $lines[$i];
    if ($line !~ /^\.(TH|SH)/) {
        # Never before a closing mark, a long vowel or a small kana: a line may not start with one.
        $line =~ s/($cjk)(?=(?![、。）」』・ーぁぃぅぇぉっゃゅょァィゥェォッャュョ])$cjk|\()/$1\\:/g;
    }
    my $next = $i < $#lines ? $lines[$i + 1] : "";
    if ($line !~ /^\./ && $line =~ /$cjk\n\z/ && $next =~ /^$cjk/) {
        $line =~ s/\n\z/\\c\n/;
    }
    print $line;
    print ".ad l\n" if $line =~ /^\.TH /;
}
