<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version: 1.01</source>
        <translation>Version: 1.01</translation>
    </message>
    <message>
        <source>Autor: Tým Kestrava, 2026</source>
        <translation>Author: The Kestrava team, 2026</translation>
    </message>
    <message>
        <source>Podpořeno serverem</source>
        <translation>Supported by</translation>
    </message>
</context>
<context>
    <name>TAboutBox1</name>
    <message>
        <source>Nápověda:

Hru ovládáte vertikálními šipkami, jejichž pomocí máte za úkol 
přemostit silnici, na které se pohybují dopravní prostředky.

Aby vůz bezpečně projel, musíte plošinku dostat do roviny se silnicí.

Hra je omezena limitem 140 vteřin.

Za každý projetý vůz získáte 50 bodů, za projetou tramvaj
získáte 70 bodů (protože veze nejvíce lidí), za zničený vůz 
ztratíte život.

Abyste to stíhali, máte k dispozici čtyři semafory u každého patra. 
Kliknutím na ně (na jejich sloupy) se vozy v daném patře zastaví
na pět vteřin. 
Každý lze použít pouze dvakrát. Pokud  i přesto nestihnete 
pomoci nějakému vozidlu přejet na druhou stranu, ztratíte jeden 
z pěti životů. 

Každý semafor můžete použít jen dvakrát, takže si pořádně 
rozmyslete, kdy ho použít.

Z dolní části můžete rovnou přeskočit nahoru, když se
dostanete na dolní okraj.

Když budete tak dobří a některý semafor ani nepoužijete,
na konci hry se k dosaženému skóre přičte za každý 
nepoužitý semafor 60 bodů a za každý zbylý život 70 bodů.

Po ukončení se hra zavře stisknutím Enter.

Hodně štěstí!;)
_______________________________________

You are using Up and Down key to move with 
brown rectangle.

You have to bridge over interrupted road and
help vehicles to get to the left side.

You could click on four semaphores but 
each of them only twice. They will stop vehicle
for 5 seconds.

For this game you have only 140 seconds.

Good luck!</source>
        <translation>Help:

You move the deck piece up and down with the arrow keys:
bridge the gap in the road the vehicles drive on.

For a vehicle to cross safely, the deck piece must be
level with its road.

The game is limited to 140 seconds.

Every vehicle that crosses earns you 50 points, the tram
70 points (it carries the most people); for every vehicle
that falls you lose a life.

To keep up, you have four traffic lights, one on each deck.
Clicking on one (on its post) stops the vehicles on that
deck for five seconds.
Each light can be used only twice. If you still fail to
help a vehicle across to the other side, you lose one
of your five lives.

Every traffic light can be used only twice, so think
carefully about when to use it.

From the bottom you can jump straight to the top
when you reach the bottom edge.

If you are so good that you leave a traffic light unused,
at the end of the game your score gains 60 points for
every unused light and 70 points for every life left.

When the game is over, press Enter to close it.

Good luck!;)</translation>
    </message>
    <message>
        <source>Nápověda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>NÁPOVĚDA/HELP</source>
        <translation>HELP</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Tým Kestrava, 2026</source>
        <translation>The Kestrava team, 2026</translation>
    </message>
    <message>
        <source>Highscore</source>
        <translation>Highscore</translation>
    </message>
    <message>
        <source>Verze 1.01</source>
        <translation>Version 1.01</translation>
    </message>
    <message>
        <source>Spusť hru!!</source>
        <translation>Start the game!!</translation>
    </message>
    <message>
        <source>Ukonči hru!!</source>
        <translation>Quit the game!!</translation>
    </message>
    <message>
        <source>Reset score</source>
        <translation>Reset score</translation>
    </message>
    <message>
        <source>Vynuluj skóre!!</source>
        <translation>Reset the score!!</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>About game</source>
        <translation>About game</translation>
    </message>
    <message>
        <source>Nápověda/Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Game</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>Time :</translation>
    </message>
    <message>
        <source>Score :</source>
        <translation>Score :</translation>
    </message>
    <message>
        <source>Lives :</source>
        <translation>Lives :</translation>
    </message>
    <message>
        <source>Tvé dosažené skóre je:</source>
        <translation>The score you reached is:</translation>
    </message>
    <message>
        <source>Blahopřeji, dosáhli jste nejvyššího skóre.</source>
        <translation>Congratulations, that is a new high score.</translation>
    </message>
    <message>
        <source>Pro ukončení stiskněte Enter</source>
        <translation>Press Enter to quit</translation>
    </message>
    <message>
        <source>Congratulations. Your score is:</source>
        <translation>Congratulations. Your score is:</translation>
    </message>
    <message>
        <source>Blahopřeji, právě jsi dohrál </source>
        <translation>Congratulations, you have just played </translation>
    </message>
    <message>
        <source>freeware hru Kestrava.</source>
        <translation>the freeware game Kestrava.</translation>
    </message>
    <message>
        <source>Je mi líto, ale ztratil si všechny životy.</source>
        <translation>Sorry, but you have lost all your lives.</translation>
    </message>
    <message>
        <source>Zkus štěstí znovu!;)</source>
        <translation>Try your luck again!;)</translation>
    </message>
</context>
</TS>
