// Two senders hammer one arbiter with four-phase handshakes at pseudo-random speeds; the receiver must see
// every word of each sender, in order, and the two acknowledges must never be up together.
`timescale 1ps/1ps
module arbiter_tb;
	reg	r1, d1, r2, d2, ack, reset;
	wire	a1, a2, r, d;
	integer	sent1, sent2, got1, got2, errors, seed;
	reg	[63:0]	word1, word2;

	arbiter	arb(.i_1__r_i(r1), .i_1_a_o(a1), .i_1_d_i(d1),
		.i_2__r_i(r2), .i_2_a_o(a2), .i_2_d_i(d2),
		.o_1__r_o(r), .o_1_a_i(ack), .o_1_d_o(d), .reset(reset));

	// Sender k sends the bits of its word; the receiver tells the senders apart by the grant it saw.
	initial begin
		r1 = 0; r2 = 0; d1 = 0; d2 = 0; ack = 0; reset = 1;
		sent1 = 0; sent2 = 0; got1 = 0; got2 = 0; errors = 0; seed = 7;
		word1 = 64'hA5F0_3C96_0FF0_1234;
		word2 = 64'h5A0F_C369_F00F_EDCB;
		#10 reset = 0;
		#100 reset = 1;
	end

	always @(posedge reset) fork
		repeat (64) begin
			#($unsigned($random(seed)) % 300) d1 = word1[sent1];
			#20 r1 = 1;
			wait (a1 === 1'b1);
			#($unsigned($random(seed)) % 200) r1 = 0;
			wait (a1 === 1'b0);
			sent1 = sent1 + 1;
		end
		repeat (64) begin
			#($unsigned($random(seed)) % 300) d2 = word2[sent2];
			#20 r2 = 1;
			wait (a2 === 1'b1);
			#($unsigned($random(seed)) % 200) r2 = 0;
			wait (a2 === 1'b0);
			sent2 = sent2 + 1;
		end
	join

	always @(posedge r) begin
		if (arb.g1 === 1'b1 && arb.g2 !== 1'b1) begin
			if (d !== word1[got1]) errors = errors + 1;
			got1 = got1 + 1;
		end else if (arb.g2 === 1'b1 && arb.g1 !== 1'b1) begin
			if (d !== word2[got2]) errors = errors + 1;
			got2 = got2 + 1;
		end else
			errors = errors + 1;
		#($unsigned($random(seed)) % 100) ack = 1;
		wait (r === 1'b0);
		#($unsigned($random(seed)) % 100) ack = 0;
	end

	always @(a1 or a2)
		if (a1 === 1'b1 && a2 === 1'b1) errors = errors + 1;

	initial begin
		#10000000;
		if (errors == 0 && got1 == 64 && got2 == 64 && sent1 == 64 && sent2 == 64)
			$display("PASS");
		else
			$display("FAIL errors=%0d got1=%0d got2=%0d sent1=%0d sent2=%0d", errors, got1, got2, sent1, sent2);
		$finish;
	end
endmodule
