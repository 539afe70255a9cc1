'iyi kalite ayari ile olusturulmustur'
device = 18f4620
xtal 4
All_Digital = TRUE
Dim sayi As Word
TRISB=0
PORTB=0
DelayMS 500
oku:
For sayi=0 To 5 Step 1 
PORTB=CRead  (ses+sayi)
DelayUS 100
Next
DelayMS 500
GoTo oku
ses:
