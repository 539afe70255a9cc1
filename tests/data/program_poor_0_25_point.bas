'kotu kalite ayari ile olusturulmustur'
device = 18f4620
xtal 4
All_Digital = TRUE
Dim sayi As Word
TRISB=0
PORTB=0
DelayMS 500
oku:
For sayi=0 To 12.5 Step 1 
PORTB=CRead  (ses+sayi)
DelayUS 225
Next
DelayMS 500
GoTo oku
ses:
CDATA  135,150,175,205,233,250,252,234,204,170
